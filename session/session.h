#pragma once

#include "accessimport.h"
#include "puzzlelibrary.h"

#include <QCoreApplication>
#include <QString>

#include <vector>

class TGame;

// The record rules between the game and the open library: which row a new
// puzzle appends, which row Save writes, what Load and Delete put on the
// board, which library file an Access file becomes. It knows no window; the
// window asks it and shows what comes back. Row indexes are the library's
// list; -1 is none.
class TSession {
  // The words are the window's.
  Q_DECLARE_TR_FUNCTIONS(TFormMain)

public:
  explicit TSession(TGame &game);

  TPuzzleLibrary &Library() { return m_library; }
  const TPuzzleLibrary &Library() const { return m_library; }

  // A new empty library at path, made beside it and renamed into place, then
  // opened. The open library stays open until the new one is complete.
  void NewDatabase(const QString &path);
  // False, with the open library still open, when the file is no library
  // or SQLite cannot read it.
  bool OpenDatabase(const QString &path);
  // The open library copied to path, which becomes the open library.
  void SaveDatabaseAs(const QString &path);
  // Where an Access file's puzzles go: beside it, under its name with .ngl
  // (.imported.ngl when that is the Access file itself).
  static QString AccessLibraryPath(const QString &accessPath);
  // The puzzles as a new library at target, which then is the open one.
  void ImportAccessLibrary(const QString &target, const std::vector<TImportedPuzzle> &puzzles);
  // The open library, by whatever spelling of its path.
  bool IsOpenLibrary(const QString &path) const;

  // New Puzzle and Design Puzzle: the game gets a new puzzle under "New
  // Puzzle", or with a library open the free title of a new last row.
  // Returns that row.
  int NewPuzzle();
  int DesignPuzzle();
  // The game's board under the game's title: the row that has the title (an
  // untitled game's, the first row whose title is NULL or empty), or a new
  // last row. Throws when no library is open.
  int SavePuzzle();
  // The row's givens and texts and its title into the game; false when
  // there is no such row, or it has gone from the file meanwhile (the list
  // is then read again).
  bool LoadPuzzle(int index);
  // Deletes the row, then loads the first row left; true when one was loaded.
  bool DeleteAndLoadFirst(int index);
  void DeletePuzzle(int index);

private:
  // The title for a new puzzle and its row (-1 without a library).
  TPuzzleLibrary::TAppended NewPuzzleRecord();
  void Connect(const QString &path);

  TGame &m_game;
  TPuzzleLibrary m_library;
};
