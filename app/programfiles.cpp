#include "programfiles.h"

#include "services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {

const QString HelpFileName = QStringLiteral("nghelp.chm");
const QString DataName = QStringLiteral("Data");

QString DocumentsLibraryFolder(const QString &documentsFolder) {
  return QDir(documentsFolder.isEmpty() ? QDir::homePath() : documentsFolder)
      .filePath(QStringLiteral("Ninegrove"));
}

// Copies, not links: the user's libraries must not depend on the install, and
// the copies are the user's to change.
void CopyStarterFiles(const QString &from, const QString &to) {
  const QDir starter(from);
  for (const QString &name : starter.entryList(QDir::Files)) {
    const QString target = QDir(to).filePath(name);
    if (QFile::copy(starter.filePath(name), target))
      QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
  }
}

} // namespace

QString TProgramFiles::HelpFile() const {
  return QDir(filesFolder).filePath(HelpFileName);
}

QString TProgramFiles::HelpIndex() const {
  return QDir(filesFolder).filePath(QStringLiteral("help/index.html"));
}

QString TProgramFiles::StarterFolder() const {
  return QDir(filesFolder).filePath(DataName);
}

TProgramFiles FindProgramFiles(const QString &programFolder) {
  const QString installed =
      QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/ninegrove")));
  const bool isInstall = !programFolder.isEmpty() && QFileInfo(installed).isDir();
  return {programFolder, isInstall ? installed : programFolder};
}

bool IsWritableFolder(const QString &folder) {
  const QFileInfo info(folder);
  return info.isDir() && info.isWritable();
}

QString LibraryStartFolder(const TProgramFiles &files, const QString &documentsFolder,
                           const TWritableCheck &writable) {
  const QString beside = QDir(files.programFolder).filePath(DataName);
  if (QFileInfo(beside).isDir() && writable(beside))
    return beside;
  return DocumentsLibraryFolder(documentsFolder);
}

QString PrepareLibraryFolder(const TProgramFiles &files, const QString &documentsFolder,
                             const TWritableCheck &writable) {
  const QString folder = LibraryStartFolder(files, documentsFolder, writable);
  if (QFileInfo(folder).isDir())
    return folder;
  if (!QDir().mkpath(folder))
    return QFileInfo(folder).absolutePath(); // the dialog still opens somewhere sensible
  CopyStarterFiles(files.StarterFolder(), folder);
  return folder;
}

void OpenHelp(const TProgramFiles &files, TShell &shell, TMessageBoxes &messages, QWidget *parent) {
  bool found = false;
  for (const QString &path : {files.HelpFile(), files.HelpIndex()}) {
    if (!QFileInfo::exists(path))
      continue;
    found = true;
    if (shell.Open(QUrl::fromLocalFile(path)))
      return;
  }
  // The desktop's own error, if any, goes to a terminal nobody watches.
  if (found)
    messages.Warning(
        parent, QCoreApplication::translate("TProgramFiles",
                                            "The help could not be opened: this desktop has no "
                                            "program for the help file nghelp.chm nor for its "
                                            "pages in HTML. Install a web browser or a CHM "
                                            "viewer such as xchm, then try again."));
  else
    messages.Warning(
        parent, QCoreApplication::translate("TProgramFiles",
                                            "The help is not installed: neither nghelp.chm nor "
                                            "help/index.html is in %1.")
                    .arg(QDir::toNativeSeparators(files.filesFolder)));
}

QString FolderReport(const TProgramFiles &files, const QString &documentsFolder) {
  QString report;
  auto line = [&](const char *what, const QString &path, const char *whenMissing) {
    report += QStringLiteral("%1: %2%3\n")
                  .arg(QLatin1String(what), QDir::toNativeSeparators(path),
                       QFileInfo::exists(path) ? QString() : QLatin1String(whenMissing));
  };
  line("Program folder", files.programFolder, " (missing)");
  line("Help file", files.HelpFile(), " (missing)");
  line("HTML help", files.HelpIndex(), " (missing)");
  line("Data starter files", files.StarterFolder(), " (missing)");
  line("Library folder", LibraryStartFolder(files, documentsFolder), " (made when first needed)");
  return report;
}
