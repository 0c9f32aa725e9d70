// The library commands of the main window: library files and puzzle records.
#include "formmain.h"

#include "accessimport.h"
#include "dbgrid.h"
#include "filereplace.h"
#include "pagecontrol.h"
#include "programfiles.h"
#include "puzzlemodel.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

namespace {
// Made when asked for, in the language of the moment.
QString LibraryFilter() {
  return TFormMain::tr("Ninegrove Library (*.ngl)");
}
QString OpenFilter() {
  return LibraryFilter() + QStringLiteral(";;") + TFormMain::tr("Access Database (*.mdb)");
}
const QString LibrarySuffix = QStringLiteral("ngl");
} // namespace

QString TFormMain::DataFolder() const {
  return PrepareLibraryFolder(FindProgramFiles(m_services.programFolder),
                              m_services.documentsFolder);
}

void TFormMain::EnableDatabaseItems(bool enabled) {
  for (TCommand command :
       {TCommand::SavePuzzle, TCommand::LoadPuzzle, TCommand::DeletePuzzle, TCommand::SaveAs})
    Action(command)->setEnabled(enabled);
}

void TFormMain::UpdateLibraryState() {
  const bool open = m_library.IsOpen();
  EnableDatabaseItems(open);
  for (TCommand command : {TCommand::ImportPuzzles, TCommand::ExportPuzzles, TCommand::ExportRated})
    Action(command)->setEnabled(open);
  setWindowTitle(open ? ApplicationTitle + QStringLiteral(" - ") +
                            QFileInfo(m_library.FileName()).fileName()
                      : ApplicationTitle);
}

int TFormMain::CurrentRecord() const {
  return m_library.IsOpen() ? DBGrid->CurrentRecord() : -1;
}

void TFormMain::SetCurrentRecord(int index) {
  DBGrid->SetCurrentRecord(index);
}

void TFormMain::ShowLibraryRows(int current) {
  m_model->Refresh();
  SetCurrentRecord(current);
}

void TFormMain::ConnectLibrary(const QString &path) {
  if (!m_library.Open(path))
    throw TLibraryError(tr("%1 is not a Ninegrove library.").arg(path));
  ShowLibraryRows(0);
}

bool TFormMain::MayReplace(const QString &path, QMessageBox::StandardButtons buttons) {
  if (!QFileInfo::exists(path))
    return true;
  // The open library, by whatever spelling of its path.
  const QString open = QFileInfo(m_library.FileName()).canonicalFilePath();
  if (m_library.IsOpen() && !open.isEmpty() && QFileInfo(path).canonicalFilePath() == open) {
    m_services.messages.Warning(this, tr("Can not create file. File is still in use."));
    return false;
  }
  return m_services.messages.Question(this, tr("Overwrite"), tr("File already exists. Overwrite?"),
                                      buttons, QMessageBox::NoIcon) == QMessageBox::Yes;
}

void TFormMain::MenuNewDatabaseClick() {
  const QString path = m_services.files.SaveFileName(this, tr("New Database"), DataFolder(),
                                                     LibraryFilter(), LibrarySuffix);
  if (path.isEmpty() || !MayReplace(path, QMessageBox::Yes | QMessageBox::No))
    return;
  TBusyCursor busy(m_services.cursor);
  // The open library stays open, and a file of that name stays as it was,
  // until the new library is complete under its name.
  WriteReplacing(path, [](const QString &part) { TPuzzleLibrary::Create(part); });
  ConnectLibrary(path);
}

void TFormMain::MenuOpenDatabaseClick() {
  const QString path =
      m_services.files.OpenFileName(this, tr("Open"), DataFolder(), OpenFilter(), LibrarySuffix);
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
    m_services.messages.Error(this, tr("Error opening league file."));
    return;
  }
  PageControl->SetCurrent(TabSheetDatabase);
}

void TFormMain::MenuSaveAsClick() {
  const QString path = m_services.files.SaveFileName(this, tr("Save As..."), DataFolder(),
                                                     LibraryFilter(), LibrarySuffix);
  if (path.isEmpty() || !MayReplace(path, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel))
    return;
  TBusyCursor busy(m_services.cursor);
  // The open library stays open until the copy is complete under its name.
  TPuzzleLibrary::Copy(DatabaseFileName(), path);
  ConnectLibrary(path);
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
    m_services.messages.Error(this, tr("Error opening league file."));
    return;
  }
  if (!MayReplace(target, QMessageBox::Yes | QMessageBox::No))
    return;
  TBusyCursor busy(m_services.cursor);
  WriteImportedLibrary(target, puzzles);
  ConnectLibrary(target);
  PageControl->SetCurrent(TabSheetDatabase);
}

std::string TFormMain::NewPuzzleRecord() {
  QString title = tr("New Puzzle");
  if (m_library.IsOpen()) {
    const TPuzzleLibrary::TAppended record = m_library.AppendFree(title);
    title = record.title;
    ShowLibraryRows(record.index);
  }
  return title.toStdString();
}

void TFormMain::MenuSavePuzzleClick() {
  if (!m_library.IsOpen())
    throw TLibraryError(tr("No library is open."));
  ShowLibraryRows(m_library.Save(QString::fromStdString(m_game.Title()), StoredCells(Board)));
}

void TFormMain::MenuLoadPuzzleClick() {
  const int index = CurrentRecord();
  if (index < 0)
    return;
  // Nothing, when another copy of the program has deleted the row since.
  const std::optional<TStoredCells> cells = m_library.ReadCells(index);
  if (!cells)
    return;
  TGrid stored;
  LoadStoredCells(stored, *cells);
  m_game.LoadPuzzle(stored, m_library.Row(index).title.toStdString());
  ShowGame();
  PageControl->SetCurrent(TabSheetGrid);
}

void TFormMain::MenuDeletePuzzleClick() {
  if (DeleteCurrent(tr("Delete"), tr("Do you really want to delete this puzzle?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes))
    MenuLoadPuzzleClick();
}

void TFormMain::DeleteRecordByKeyboard() {
  DeleteCurrent(tr("Confirm"), tr("Delete record?"), QMessageBox::Ok | QMessageBox::Cancel,
                QMessageBox::Ok);
}

bool TFormMain::DeleteCurrent(const QString &caption, const QString &question,
                              QMessageBox::StandardButtons buttons,
                              QMessageBox::StandardButton yes) {
  const int index = CurrentRecord();
  if (index < 0 ||
      m_services.messages.Question(this, caption, question, buttons, QMessageBox::Question) != yes)
    return false;
  m_library.Delete(index);
  ShowLibraryRows(0);
  return true;
}

void TFormMain::MenuImportPuzzlesClick() {
  if (m_collections.ImportPuzzles(DataFolder()))
    ShowLibraryRows(m_library.Count() - 1);
}

void TFormMain::MenuExportPuzzlesClick() {
  m_collections.ExportPuzzles(DataFolder(), [this](const QString &path) {
    return MayReplace(path, QMessageBox::Yes | QMessageBox::No);
  });
}
