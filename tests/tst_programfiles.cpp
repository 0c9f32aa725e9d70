// Where the program finds its files, where the library dialogs start, and
// how Help gets its pages onto the screen.
#include "fakeservices.h"
#include "formabout.h"
#include "programfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <unistd.h>

namespace {

void WriteFile(const QString &path, const QByteArray &bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

QByteArray ReadFile(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every file below a folder with its bytes, to see that nothing changed.
QMap<QString, QByteArray> Contents(const QString &folder) {
  QMap<QString, QByteArray> contents;
  const QDir root(folder);
  for (const QFileInfo &info :
       QDir(folder).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
    if (info.isDir()) {
      const auto inner = Contents(info.filePath());
      for (auto it = inner.begin(); it != inner.end(); ++it)
        contents.insert(info.fileName() + "/" + it.key(), it.value());
    } else {
      contents.insert(info.fileName(), ReadFile(info.filePath()));
    }
  }
  return contents;
}

// The two layouts the program meets: its build tree, with everything beside
// the program, and an install under a prefix.
enum class TLayout { BuildTree, Install, BareFolder };

struct TTree {
  QString programFolder;
  QString filesFolder;
};

TTree MakeTree(const QString &root, TLayout layout) {
  if (layout == TLayout::BareFolder) {
    QDir().mkpath(root + "/program");
    return {root + "/program", root + "/program"};
  }
  const TTree tree = layout == TLayout::BuildTree
                         ? TTree{root + "/build/app", root + "/build/app"}
                         : TTree{root + "/usr/bin", root + "/usr/share/ninegrove"};
  QDir().mkpath(tree.programFolder);
  WriteFile(tree.filesFolder + "/nghelp.chm", "ITSF");
  WriteFile(tree.filesFolder + "/help/index.html", "<html></html>");
  WriteFile(tree.filesFolder + "/Data/Starter.ngl", "SQLite format 3 starter");
  WriteFile(tree.filesFolder + "/Data/Classics.ngl", "SQLite format 3 classics");
  return tree;
}

} // namespace

Q_DECLARE_METATYPE(TLayout)

class TestProgramFiles : public QObject {
  Q_OBJECT

private slots:
  void findFiles_data();
  void findFiles();
  void startFolder_data();
  void startFolder();
  void startFolderOfFolderNobodyMayWrite();
  void help_data();
  void help();
  void folderReport();
  void applicationId();
};

void TestProgramFiles::findFiles_data() {
  QTest::addColumn<TLayout>("layout");
  QTest::addColumn<QString>("filesFolder"); // below the temporary root
  QTest::newRow("build tree: beside the program") << TLayout::BuildTree << "build/app";
  QTest::newRow("install: ../share/ninegrove") << TLayout::Install << "usr/share/ninegrove";
  QTest::newRow("bare folder: beside the program") << TLayout::BareFolder << "program";
}

void TestProgramFiles::findFiles() {
  QFETCH(TLayout, layout);
  QFETCH(QString, filesFolder);
  QTemporaryDir root;
  const TTree tree = MakeTree(root.path(), layout);
  const TProgramFiles files = FindProgramFiles(tree.programFolder);
  const QString expected = root.filePath(filesFolder);
  QCOMPARE(files.programFolder, tree.programFolder);
  QCOMPARE(files.filesFolder, expected);
  QCOMPARE(files.HelpFile(), expected + "/nghelp.chm");
  QCOMPARE(files.HelpIndex(), expected + "/help/index.html");
  QCOMPARE(files.StarterFolder(), expected + "/Data");
}

void TestProgramFiles::startFolder_data() {
  QTest::addColumn<TLayout>("layout");
  QTest::addColumn<bool>("dataBeside");         // a Data folder beside the program
  QTest::addColumn<bool>("dataWritable");       // what the file system says of it
  QTest::addColumn<bool>("documentsHadFolder"); // Ninegrove was in the documents already
  QTest::addColumn<bool>("inDocuments");        // else in Data beside the program
  QTest::addColumn<QStringList>("filesThere");  // afterwards

  const QStringList starters{"Classics.ngl", "Starter.ngl"};
  QTest::newRow("writable Data beside the program")
      << TLayout::BuildTree << true << true << false << false << starters;
  QTest::newRow("read-only Data beside the program")
      << TLayout::BuildTree << true << false << false << true << starters;
  QTest::newRow("no Data beside the program")
      << TLayout::BareFolder << false << false << false << true << QStringList();
  QTest::newRow("installed: starter files copied")
      << TLayout::Install << false << false << false << true << starters;
  QTest::newRow("installed: the user's folder is left as it is")
      << TLayout::Install << false << false << true << true << QStringList{"Mine.ngl"};
}

void TestProgramFiles::startFolder() {
  QFETCH(TLayout, layout);
  QFETCH(bool, dataBeside);
  QFETCH(bool, dataWritable);
  QFETCH(bool, documentsHadFolder);
  QFETCH(bool, inDocuments);
  QFETCH(QStringList, filesThere);

  QTemporaryDir root;
  const TTree tree = MakeTree(root.path(), layout);
  const QString beside = tree.programFolder + "/Data";
  QCOMPARE(QFileInfo(beside).isDir(), dataBeside);
  const QString documents = root.filePath("home/Documents");
  const QString own = documents + "/Ninegrove";
  if (documentsHadFolder)
    WriteFile(own + "/Mine.ngl", "the user's own");
  QStringList asked;
  const TWritableCheck writable = [&](const QString &folder) {
    asked << folder;
    return dataWritable;
  };
  const TProgramFiles files = FindProgramFiles(tree.programFolder);
  const auto starterBefore = Contents(files.StarterFolder());

  const QString expected = inDocuments ? own : beside;
  // Asking where the dialogs start makes nothing.
  QCOMPARE(LibraryStartFolder(files, documents, writable), expected);
  QCOMPARE(QFileInfo::exists(own), documentsHadFolder);

  QCOMPARE(PrepareLibraryFolder(files, documents, writable), expected);
  QVERIFY(QFileInfo(expected).isDir());
  QCOMPARE(QDir(expected).entryList(QDir::Files, QDir::Name), filesThere);
  if (dataBeside)
    QCOMPARE(asked.constFirst(), beside);
  else
    QVERIFY(asked.isEmpty());
  if (inDocuments && !documentsHadFolder)
    for (const QString &name : filesThere) {
      const QString copy = own + "/" + name;
      QCOMPARE(ReadFile(copy), ReadFile(files.StarterFolder() + "/" + name));
      QVERIFY(QFile::permissions(copy) & QFile::WriteOwner);
    }
  if (!inDocuments)
    QVERIFY(!QFileInfo::exists(documents));
  // Nothing is written where the program's own files are.
  QCOMPARE(Contents(files.StarterFolder()), starterBefore);

  // Once made, the folder is not filled again: starter files the user
  // deleted stay deleted.
  for (const QString &name : QDir(expected).entryList(QDir::Files))
    QVERIFY(QFile::remove(expected + "/" + name));
  QCOMPARE(PrepareLibraryFolder(files, documents, writable), expected);
  QVERIFY(QDir(expected).entryList(QDir::Files).isEmpty());
}

void TestProgramFiles::startFolderOfFolderNobodyMayWrite() {
  // The real check, on a folder the user may not write. Permissions do not
  // stop root; an immutable folder does.
  QTemporaryDir root;
  const TTree tree = MakeTree(root.path(), TLayout::BuildTree);
  const QString beside = tree.programFolder + "/Data";
  QVERIFY(IsWritableFolder(beside));
  const bool isRoot = ::geteuid() == 0;
  if (isRoot && QProcess::execute("chattr", {"+i", beside}) != 0)
    QSKIP("running as root where folders cannot be made immutable");
  QFile::setPermissions(beside, QFile::ReadOwner | QFile::ExeOwner);
  const bool writable = IsWritableFolder(beside);
  const QString documents = root.filePath("Documents");
  const QString folder = PrepareLibraryFolder(FindProgramFiles(tree.programFolder), documents);
  if (isRoot)
    QProcess::execute("chattr", {"-i", beside});
  QFile::setPermissions(beside, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QVERIFY(!writable);
  QCOMPARE(folder, documents + "/Ninegrove");
  QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
           QStringList({"Classics.ngl", "Starter.ngl"}));
}

void TestProgramFiles::help_data() {
  QTest::addColumn<bool>("chm");            // nghelp.chm is there
  QTest::addColumn<bool>("html");           // help/index.html is there
  QTest::addColumn<QStringList>("refused"); // endings the desktop opens nothing with
  QTest::addColumn<QStringList>("asked");   // what the shell was asked to open, in order
  QTest::addColumn<QString>("message");     // the warning, if any

  const QString notOpened =
      "The help could not be opened: this desktop has no program for the help file "
      "nghelp.chm nor for its pages in HTML. Install a web browser or a CHM viewer such as "
      "xchm, then try again.";
  const QStringList both{"nghelp.chm", "help/index.html"};
  QTest::newRow("a CHM viewer opens the help file")
      << true << true << QStringList() << QStringList{"nghelp.chm"} << QString();
  QTest::newRow("no CHM viewer: the HTML pages open")
      << true << true << QStringList{".chm"} << both << QString();
  QTest::newRow("nothing opens either")
      << true << true << QStringList{".chm", ".html"} << both << notOpened;
  QTest::newRow("only the HTML pages installed")
      << false << true << QStringList() << QStringList{"help/index.html"} << QString();
  QTest::newRow("only the help file installed, no CHM viewer")
      << true << false << QStringList{".chm"} << QStringList{"nghelp.chm"} << notOpened;
  QTest::newRow("no help installed")
      << false << false << QStringList() << QStringList()
      << "The help is not installed: neither nghelp.chm nor help/index.html is in FOLDER.";
}

void TestProgramFiles::help() {
  QFETCH(bool, chm);
  QFETCH(bool, html);
  QFETCH(QStringList, refused);
  QFETCH(QStringList, asked);
  QFETCH(QString, message);

  QTemporaryDir root;
  const TTree tree = MakeTree(root.path(), TLayout::Install);
  if (!chm)
    QVERIFY(QFile::remove(tree.filesFolder + "/nghelp.chm"));
  if (!html)
    QVERIFY(QFile::remove(tree.filesFolder + "/help/index.html"));
  TFakeServices fakes;
  fakes.shell.refused = refused;
  // Looked up from the program's folder, wherever the current folder is.
  const QString before = QDir::currentPath();
  QDir::setCurrent(root.path());
  OpenHelp(FindProgramFiles(tree.programFolder), fakes.shell, fakes.messages, nullptr);
  QDir::setCurrent(before);

  QStringList opened;
  for (const QUrl &url : fakes.shell.opened) {
    QVERIFY(url.isLocalFile());
    opened << QDir(tree.filesFolder).relativeFilePath(url.toLocalFile());
  }
  QCOMPARE(opened, asked);
  if (message.isEmpty()) {
    QVERIFY(fakes.messages.shown.empty());
  } else {
    QCOMPARE(fakes.messages.shown.size(), std::size_t(1));
    QCOMPARE(fakes.messages.shown[0].kind, QString("warning"));
    QCOMPARE(fakes.messages.shown[0].text, QString(message).replace("FOLDER", tree.filesFolder));
  }
}

void TestProgramFiles::folderReport() {
  QTemporaryDir root;
  const TTree tree = MakeTree(root.path(), TLayout::Install);
  QVERIFY(QFile::remove(tree.filesFolder + "/nghelp.chm"));
  const QString documents = root.filePath("Documents");
  const TProgramFiles files = FindProgramFiles(tree.programFolder);
  const QStringList expected{
      "Program folder: " + tree.programFolder,
      "Help file: " + tree.filesFolder + "/nghelp.chm (missing)",
      "HTML help: " + tree.filesFolder + "/help/index.html",
      "Data starter files: " + tree.filesFolder + "/Data",
      "Library folder: " + documents + "/Ninegrove (made when first needed)",
  };
  QCOMPARE(FolderReport(files, documents).split('\n', Qt::SkipEmptyParts), expected);
  PrepareLibraryFolder(files, documents);
  QCOMPARE(FolderReport(files, documents).split('\n', Qt::SkipEmptyParts).constLast(),
           "Library folder: " + documents + "/Ninegrove");
}

void TestProgramFiles::applicationId() {
  // The desktop entry, the icon and the AppStream entry are named by the id;
  // it follows the home page.
  QStringList parts = QUrl(TFormAbout::HomePage).host().split('.');
  std::reverse(parts.begin(), parts.end());
  QCOMPARE(QString(NINEGROVE_APP_ID), parts.join('.'));
}

QTEST_GUILESS_MAIN(TestProgramFiles)
#include "tst_programfiles.moc"
