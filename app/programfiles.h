#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMessageBoxes;
class TShell;

// The program's own read-only files. In a build tree they lie beside the
// program; an install keeps them in ../share/ninegrove, since bin/ holds
// programs only.
struct TProgramFiles {
  QString programFolder; // the folder of the running program
  QString filesFolder;   // the help file, the help pages and the starter files

  QString HelpFile() const;      // nghelp.chm
  QString HelpIndex() const;     // the help pages as HTML, help/index.html
  QString StarterFolder() const; // Data: what a new library folder starts with
};

TProgramFiles FindProgramFiles(const QString &programFolder);

// Whether the user may create files in a folder; tests answer in place of the
// file system, where root may write everywhere.
using TWritableCheck = std::function<bool(const QString &folder)>;
bool IsWritableFolder(const QString &folder);

// The folder the library dialogs start in: Data beside the program where the
// user may write there, otherwise Ninegrove in the documents folder.
QString LibraryStartFolder(const TProgramFiles &files, const QString &documentsFolder,
                           const TWritableCheck &writable = IsWritableFolder);

// The same folder, made when missing. A folder made here gets copies of the
// starter files; nothing is written where the program is installed.
QString PrepareLibraryFolder(const TProgramFiles &files, const QString &documentsFolder,
                             const TWritableCheck &writable = IsWritableFolder);

// Help: nghelp.chm through the desktop, the same pages as HTML where nothing
// opens a .chm file, and a message box when neither opens.
void OpenHelp(const TProgramFiles &files, TShell &shell, TMessageBoxes &messages, QWidget *parent);

// One line for each file and folder the program uses, for `ninegrove --version`.
QString FolderReport(const TProgramFiles &files, const QString &documentsFolder);
