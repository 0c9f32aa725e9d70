#pragma once

#include "services.h"

#include <QCoreApplication>

#include <functional>

class TGame;
class TPuzzleLibrary;

// The commands for puzzle collections: text files of puzzles, the puzzle on
// the clipboard and the count of a puzzle's solutions. The window runs them
// and shows the library or the game again when they say so.
class TCollectionCommands {
  Q_DECLARE_TR_FUNCTIONS(TFormMain)

public:
  TCollectionCommands(QWidget *window, TServices &services, TPuzzleLibrary &library, TGame &game);

  // True when the library's rows changed.
  bool ImportPuzzles(const QString &folder);
  void ExportPuzzles(const QString &folder,
                     const std::function<bool(const QString &path)> &mayReplace);
  // The same, with each puzzle's ER after its title.
  void ExportRatedPuzzles(const QString &folder,
                          const std::function<bool(const QString &path)> &mayReplace);
  void CountSolutions();
  // True when the game holds the pasted puzzle.
  bool PastePuzzle();

private:
  QWidget *m_window;
  TServices &m_services;
  TPuzzleLibrary &m_library;
  TGame &m_game;
};
