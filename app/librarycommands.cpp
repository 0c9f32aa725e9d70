// The library commands of the main window: library files and puzzle records.
#include "formmain.h"

#include "accessimport.h"
#include "pagecontrol.h"
#include "puzzlemodel.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTableView>

namespace {
const QString LibraryFilter = QStringLiteral("Ninegrove Library (*.ngl)");
const QString OpenFilter = LibraryFilter + QStringLiteral(";;Access Database (*.mdb)");
const QString LibrarySuffix = QStringLiteral("ngl");
} // namespace

QString TFormMain::DataFolder() const {
  return QDir(m_services.programFolder).filePath("Data");
}

bool TFormMain::IsOpenLibrary(const QString &path) const {
  if (!m_library.IsOpen())
    return false;
  const QString open = QFileInfo(m_library.FileName()).canonicalFilePath();
  return !open.isEmpty() && QFileInfo(path).canonicalFilePath() == open;
}

void TFormMain::EnableDatabaseItems(bool enabled) {
  for (const char *name : {"MenuSavePuzzle", "MenuLoadPuzzle", "MenuDeletePuzzle", "MenuSaveAs"})
    findChild<QAction *>(QString::fromLatin1(name))->setEnabled(enabled);
}

int TFormMain::CurrentRecord() const {
  if (!m_library.IsOpen() || m_library.Count() == 0)
    return -1;
  const QModelIndex index = DBGrid->currentIndex();
  return index.isValid() ? index.row() : 0;
}

void TFormMain::SetCurrentRecord(int index) {
  if (index < 0 || index >= m_library.Count())
    return;
  const int column = std::max(DBGrid->currentIndex().column(), 0);
  DBGrid->setCurrentIndex(m_model->index(index, column));
}

void TFormMain::ConnectLibrary(const QString &path) {
  if (!m_library.Open(path))
    throw TLibraryError(QStringLiteral("%1 is not a Ninegrove library.").arg(path));
  m_model->Refresh();
  SetCurrentRecord(0);
  EnableDatabaseItems(true);
  setWindowTitle(ApplicationTitle + QStringLiteral(" - ") + QFileInfo(path).fileName());
}

bool TFormMain::MayReplace(const QString &path, QMessageBox::StandardButtons buttons) {
  if (!QFileInfo::exists(path))
    return true;
  if (IsOpenLibrary(path)) {
    m_services.messages.Warning(this, QStringLiteral("Can not create file. File is still in use."));
    return false;
  }
  return m_services.messages.Question(this, QStringLiteral("Overwrite"),
                                      QStringLiteral("File already exists. Overwrite?"), buttons,
                                      QMessageBox::NoIcon) == QMessageBox::Yes;
}

void TFormMain::CreateDatabase(const QString &path) {
  m_library.Close();
  m_model->Refresh();
  TPuzzleLibrary::Create(path);
}

void TFormMain::MenuNewDatabaseClick() {
  const QString path = m_services.files.SaveFileName(this, QStringLiteral("New Database"),
                                                     DataFolder(), LibraryFilter, LibrarySuffix);
  if (path.isEmpty())
    return;
  if (!MayReplace(path, QMessageBox::Yes | QMessageBox::No))
    return;
  QFile::remove(path);
  TBusyCursor busy(m_services.cursor);
  CreateDatabase(path);
  ConnectLibrary(path);
}

void TFormMain::MenuOpenDatabaseClick() {
  const QString path = m_services.files.OpenFileName(this, QStringLiteral("Open"), DataFolder(),
                                                     OpenFilter, LibrarySuffix);
  if (path.isEmpty())
    return;
  if (IsAccessFile(path)) {
    ImportAccessLibrary(path);
    return;
  }
  TBusyCursor busy(m_services.cursor);
  bool opened = false;
  try {
    // A file that is no library leaves the open one open and itself untouched.
    if (TPuzzleLibrary::IsLibrary(path)) {
      ConnectLibrary(path);
      opened = true;
    }
  } catch (const TLibraryError &) {
    m_model->Refresh();
  }
  if (!opened) {
    m_services.messages.Error(this, QStringLiteral("Error opening league file."));
    return;
  }
  PageControl->SetCurrent(TabSheetDatabase);
}

void TFormMain::MenuSaveAsClick() {
  const QString path = m_services.files.SaveFileName(this, QStringLiteral("Save As..."),
                                                     DataFolder(), LibraryFilter, LibrarySuffix);
  if (path.isEmpty())
    return;
  if (!MayReplace(path, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel))
    return;
  TBusyCursor busy(m_services.cursor);
  const QString source = DatabaseFileName();
  m_library.Close();
  m_model->Refresh();
  // A failure leaves any file of that name as it was, and the old library open.
  QString error;
  try {
    TPuzzleLibrary::Copy(source, path);
  } catch (const TLibraryError &failure) {
    error = QString::fromUtf8(failure.what());
  }
  ConnectLibrary(error.isEmpty() ? path : source);
  if (!error.isEmpty())
    throw TLibraryError(error);
}

void TFormMain::ImportAccessLibrary(const QString &path) {
  const QFileInfo source(path);
  QString target = source.dir().filePath(source.completeBaseName() + QStringLiteral(".ngl"));
  if (QFileInfo(target).canonicalFilePath() == source.canonicalFilePath())
    target = source.dir().filePath(source.completeBaseName() + QStringLiteral(".imported.ngl"));

  std::vector<TImportedPuzzle> puzzles;
  try {
    TBusyCursor busy(m_services.cursor);
    puzzles = ReadAccessPuzzles(path);
  } catch (const TLibraryError &) {
    m_services.messages.Error(this, QStringLiteral("Error opening league file."));
    return;
  }
  if (!MayReplace(target, QMessageBox::Yes | QMessageBox::No))
    return;
  TBusyCursor busy(m_services.cursor);
  WriteImportedLibrary(target, puzzles);
  ConnectLibrary(target);
  PageControl->SetCurrent(TabSheetDatabase);
}

void TFormMain::NewPuzzleRecord() {
  QString title = QStringLiteral("New Puzzle");
  if (m_library.IsOpen()) {
    const TPuzzleLibrary::TAppended record = m_library.AppendFree(title);
    title = record.title;
    m_model->Refresh();
    SetCurrentRecord(record.index);
  }
  SetTitle(title);
}

void TFormMain::MenuSavePuzzleClick() {
  if (!m_library.IsOpen())
    throw TLibraryError(QStringLiteral("No library is open."));
  const int index = m_library.Save(LabelTitle->text(), StoredCells(Board));
  m_model->Refresh();
  SetCurrentRecord(index);
}

void TFormMain::MenuLoadPuzzleClick() {
  const int index = CurrentRecord();
  if (index < 0)
    return;
  // Nothing, when another copy of the program has deleted the row since.
  const std::optional<TStoredCells> cells = m_library.ReadCells(index);
  if (!cells)
    return;
  LoadStoredCells(Board, *cells);
  SetTitle(m_library.Row(index).title);
  ShowBoard();
  PageControl->SetCurrent(TabSheetGrid);
}

void TFormMain::MenuDeletePuzzleClick() {
  const int index = CurrentRecord();
  if (index < 0)
    return;
  if (m_services.messages.Question(this, QStringLiteral("Delete"),
                                   QStringLiteral("Do you really want to delete this puzzle?"),
                                   QMessageBox::Yes | QMessageBox::No,
                                   QMessageBox::Question) != QMessageBox::Yes)
    return;
  m_library.Delete(index);
  m_model->Refresh();
  SetCurrentRecord(0);
  MenuLoadPuzzleClick();
}

void TFormMain::DeleteRecordByKeyboard() {
  const int index = CurrentRecord();
  if (index < 0)
    return;
  if (m_services.messages.Question(
          this, QStringLiteral("Confirm"), QStringLiteral("Delete record?"),
          QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Question) != QMessageBox::Ok)
    return;
  m_library.Delete(index);
  m_model->Refresh();
  SetCurrentRecord(0);
}
