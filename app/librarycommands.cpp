// The library commands of the main window: library files and puzzle records.
#include "formmain.h"

#include "accessimport.h"
#include "dbgrid.h"
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
  const bool open = Library().IsOpen();
  EnableDatabaseItems(open);
  for (TCommand command : {TCommand::ImportPuzzles, TCommand::ExportPuzzles, TCommand::ExportRated})
    Action(command)->setEnabled(open);
  setWindowTitle(open ? ApplicationTitle + QStringLiteral(" - ") +
                            QFileInfo(DatabaseFileName()).fileName()
                      : ApplicationTitle);
}

int TFormMain::CurrentRecord() const {
  return Library().IsOpen() ? DBGrid->CurrentRecord() : -1;
}

void TFormMain::SetCurrentRecord(int index) {
  DBGrid->SetCurrentRecord(index);
}

void TFormMain::ShowLibraryRows(int current) {
  // The model has shown the library's rows already.
  SetCurrentRecord(current);
}

bool TFormMain::MayReplace(const QString &path, QMessageBox::StandardButtons buttons) {
  if (!QFileInfo::exists(path))
    return true;
  if (m_session.IsOpenLibrary(path)) {
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
  m_session.NewDatabase(path);
  ShowLibraryRows(0);
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
  if (!m_session.OpenDatabase(path)) {
    m_services.messages.Error(this, tr("Error opening league file."));
    return;
  }
  ShowLibraryRows(0);
  PageControl->SetCurrent(TabSheetDatabase);
}

void TFormMain::MenuSaveAsClick() {
  const QString path = m_services.files.SaveFileName(this, tr("Save As..."), DataFolder(),
                                                     LibraryFilter(), LibrarySuffix);
  if (path.isEmpty() || !MayReplace(path, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel))
    return;
  TBusyCursor busy(m_services.cursor);
  // The open library stays open until the copy is complete under its name.
  m_session.SaveDatabaseAs(path);
  ShowLibraryRows(0);
}

void TFormMain::ImportAccessLibrary(const QString &path) {
  const QString target = TSession::AccessLibraryPath(path);

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
  m_session.ImportAccessLibrary(target, puzzles);
  ShowLibraryRows(0);
  PageControl->SetCurrent(TabSheetDatabase);
}

void TFormMain::MenuSavePuzzleClick() {
  ShowLibraryRows(m_session.SavePuzzle());
}

void TFormMain::MenuLoadPuzzleClick() {
  // Nothing, when another copy of the program has deleted the row since.
  if (!m_session.LoadPuzzle(CurrentRecord()))
    return;
  ShowGame();
  PageControl->SetCurrent(TabSheetGrid);
}

void TFormMain::MenuDeletePuzzleClick() {
  const int index = CurrentRecord();
  if (index < 0 || m_services.messages.Question(this, tr("Delete"),
                                                tr("Do you really want to delete this puzzle?"),
                                                QMessageBox::Yes | QMessageBox::No,
                                                QMessageBox::Question) != QMessageBox::Yes)
    return;
  const bool loaded = m_session.DeleteAndLoadFirst(index);
  ShowLibraryRows(0);
  if (!loaded)
    return;
  ShowGame();
  PageControl->SetCurrent(TabSheetGrid);
}

void TFormMain::DeleteRecordByKeyboard() {
  const int index = CurrentRecord();
  if (index < 0 || m_services.messages.Question(this, tr("Confirm"), tr("Delete record?"),
                                                QMessageBox::Ok | QMessageBox::Cancel,
                                                QMessageBox::Question) != QMessageBox::Ok)
    return;
  m_session.DeletePuzzle(index);
  ShowLibraryRows(0);
}

void TFormMain::MenuImportPuzzlesClick() {
  if (m_collections.ImportPuzzles(DataFolder()))
    ShowLibraryRows(Library().Count() - 1);
}

void TFormMain::MenuExportPuzzlesClick() {
  m_collections.ExportPuzzles(DataFolder(), [this](const QString &path) {
    return MayReplace(path, QMessageBox::Yes | QMessageBox::No);
  });
}
