#include "session.h"

#include "filereplace.h"
#include "game.h"

#include <QDir>
#include <QFileInfo>

TSession::TSession(TGame &game) : m_game(game) {}

void TSession::Connect(const QString &path) {
  if (!m_library.Open(path))
    throw TLibraryError(tr("%1 is not a Ninegrove library.").arg(path));
}

void TSession::NewDatabase(const QString &path) {
  WriteReplacing(path, [](const QString &part) { TPuzzleLibrary::Create(part); });
  Connect(path);
}

bool TSession::OpenDatabase(const QString &path) {
  try {
    // A file that is no library leaves the open one open and itself untouched.
    return TPuzzleLibrary::IsLibrary(path) && m_library.Open(path);
  } catch (const TLibraryError &) {
    return false;
  }
}

void TSession::SaveDatabaseAs(const QString &path) {
  TPuzzleLibrary::Copy(m_library.FileName(), path);
  Connect(path);
}

QString TSession::AccessLibraryPath(const QString &accessPath) {
  const QFileInfo source(accessPath);
  const QString target = source.dir().filePath(source.completeBaseName() + QStringLiteral(".ngl"));
  if (QFileInfo(target).canonicalFilePath() == source.canonicalFilePath())
    return source.dir().filePath(source.completeBaseName() + QStringLiteral(".imported.ngl"));
  return target;
}

void TSession::ImportAccessLibrary(const QString &target,
                                   const std::vector<TImportedPuzzle> &puzzles) {
  WriteImportedLibrary(target, puzzles);
  Connect(target);
}

bool TSession::IsOpenLibrary(const QString &path) const {
  const QString open = QFileInfo(m_library.FileName()).canonicalFilePath();
  return m_library.IsOpen() && !open.isEmpty() && QFileInfo(path).canonicalFilePath() == open;
}

TPuzzleLibrary::TAppended TSession::NewPuzzleRecord() {
  const QString title = tr("New Puzzle");
  return m_library.IsOpen() ? m_library.AppendFree(title) : TPuzzleLibrary::TAppended{-1, title};
}

int TSession::NewPuzzle() {
  const TPuzzleLibrary::TAppended record = NewPuzzleRecord();
  m_game.NewPuzzle(record.title.toStdString());
  return record.index;
}

int TSession::DesignPuzzle() {
  const TPuzzleLibrary::TAppended record = NewPuzzleRecord();
  m_game.DesignPuzzle(record.title.toStdString());
  return record.index;
}

int TSession::SavePuzzle() {
  if (!m_library.IsOpen())
    throw TLibraryError(tr("No library is open."));
  return m_library.Save(QString::fromStdString(m_game.Title()), StoredCells(m_game.Board()));
}

bool TSession::LoadPuzzle(int index) {
  if (!m_library.IsOpen() || index < 0 || index >= m_library.Count())
    return false;
  const std::optional<TStoredCells> cells = m_library.ReadCells(index);
  if (!cells)
    return false;
  TGrid stored;
  LoadStoredCells(stored, *cells);
  m_game.LoadPuzzle(stored, m_library.Row(index).title.toStdString());
  return true;
}

void TSession::DeletePuzzle(int index) {
  if (m_library.IsOpen() && index >= 0 && index < m_library.Count())
    m_library.Delete(index);
}

bool TSession::DeleteAndLoadFirst(int index) {
  DeletePuzzle(index);
  return LoadPuzzle(0);
}
