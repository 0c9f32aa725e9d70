// A library that never hides a loss: a crash in the middle of a change, a
// damaged file, two copies of the program on one file, a full disk.
#include "dbgrid.h"
#include "fakeservices.h"
#include "formmain.h"
#include "gametitle.h"
#include "libraryfiles.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QScopeGuard>
#include <QTableView>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/mount.h>
#include <thread>
#include <unistd.h>

class TestLibrarySafety : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void hotJournalRollsBack();
  void damagedLibraryRefused_data();
  void damagedLibraryRefused();
  void damageFoundWhileOpen();
  void twoCopies_data();
  void twoCopies();
  void windowFollowsTheFile();
  void fullDisk_data();
  void fullDisk();

private:
  QString PathOf(const QString &name) const { return m_dir->filePath(name); }
  QAction *Action(const char *name) { return m_form->findChild<QAction *>(name); }
  void Open(const QString &path);

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

namespace {

const char *const DieInAChangeArgument = "--die-in-a-change";

// The child's part: a change to every row, with a page cache so small that
// SQLite writes changed pages into the file long before the commit. Says so
// and waits to be killed.
int DieInAChange(const QString &path) {
  QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
  db.setDatabaseName(path);
  QSqlQuery query(db);
  if (!db.open() || !query.exec("PRAGMA cache_size = 10") || !query.exec("BEGIN IMMEDIATE") ||
      !query.exec("UPDATE Puzzles SET Title = 'Lost', S00 = '+9'"))
    return 1;
  std::puts("changing");
  std::fflush(stdout);
  for (;;)
    std::this_thread::sleep_for(std::chrono::seconds(1));
}

quint32 PageSize(const QByteArray &file) {
  return qFromBigEndian<quint16>(file.constData() + 16);
}

// Damages the page in the middle of the file, or cuts the file there.
void Damage(const QString &path, const QString &how) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadWrite));
  const QByteArray header = file.read(100);
  const quint32 page = PageSize(header);
  // The first page of the free list, or the one in the middle of the file.
  const quint32 freeList = qFromBigEndian<quint32>(header.constData() + 32);
  const qint64 middle =
      how == "free list" ? (freeList - 1) * qint64(page) : file.size() / page / 2 * page;
  if (how == "cut short") {
    QVERIFY(file.resize(middle));
    return;
  }
  file.seek(middle);
  file.write(QByteArray(page, how == "zeroed page" ? '\0' : '\xa5'));
  // A new change counter, so that a connection holding the pages reads them again.
  file.seek(24);
  const QByteArray counter = file.read(4);
  file.seek(24);
  char next[4];
  qToBigEndian<quint32>(qFromBigEndian<quint32>(counter.constData()) + 1, next);
  file.write(next, 4);
}

QStringList FileTitles(const QString &path) {
  TOtherConnection file(path, "titles");
  QSqlQuery query = file.Query("SELECT Title, N FROM Puzzles ORDER BY rowid");
  QStringList titles;
  while (query.next()) {
    titles << query.value(0).toString();
    if (query.value(1).toInt() != titles.size()) // numbered 1, 2, 3, ... too
      titles << QString("N %1 out of place").arg(query.value(1).toInt());
  }
  return titles;
}

QString FileCell(const QString &path, const QString &title) {
  TOtherConnection file(path, "cell");
  QSqlQuery query(file.Database());
  query.prepare("SELECT S00 FROM Puzzles WHERE Title = ?");
  query.addBindValue(title);
  return query.exec() && query.next() ? query.value(0).toString() : QString();
}

// Fills the disk up to the last leave bytes.
void FillDisk(const QString &disk, qint64 leave) {
  QFile filler(disk + "/filler");
  QVERIFY(filler.open(QIODevice::WriteOnly));
  const QByteArray block(4096, 'f');
  while (filler.write(block) == block.size() && filler.flush()) {
  }
  filler.close();
  QVERIFY(filler.resize(QFileInfo(filler).size() - leave));
}

} // namespace

void TestLibrarySafety::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_fakes = std::make_unique<TFakeServices>();
  m_fakes->services.programFolder = m_dir->path();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestLibrarySafety::cleanup() {
  m_form.reset();
  m_fakes.reset();
  m_dir.reset();
}

void TestLibrarySafety::Open(const QString &path) {
  m_fakes->files.answers.push_back(path);
  Action("MenuOpenDatabase")->trigger();
}

void TestLibrarySafety::hotJournalRollsBack() {
  const QString path = PathOf("crash.ngl");
  QVERIFY(FillLibrary(path, 300));
  const QByteArray before = Digest(path);
  QProcess child;
  child.start(QCoreApplication::applicationFilePath(), {DieInAChangeArgument, path});
  QVERIFY(child.waitForReadyRead(30000));
  QCOMPARE(child.readLine().trimmed(), QByteArray("changing"));
  child.kill();
  QVERIFY(child.waitForFinished());
  // What the crash left: a half-changed file and a hot journal beside it.
  QVERIFY(QFileInfo(path + "-journal").size() > 0);
  QVERIFY(Digest(path) != before);

  Open(path);
  QCOMPARE(m_fakes->messages.Texts(), QStringList());
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - crash.ngl"));
  QCOMPARE(Digest(path), before);
  QVERIFY(!QFileInfo::exists(path + "-journal"));
  QCOMPARE(m_form->Library().Count(), 300);
  Action("MenuLoadPuzzle")->trigger();
  QCOMPARE(m_form->LabelTitle->text(), QString("Puzzle 1"));
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("1"));
}

void TestLibrarySafety::damagedLibraryRefused_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<bool>("inTheRows"); // or where only the integrity check looks
  for (const char *damage : {"garbage page", "zeroed page", "cut short"})
    QTest::newRow(damage) << QString(damage) << true;
  QTest::newRow("free list") << "free list" << false;
}

void TestLibrarySafety::damagedLibraryRefused() {
  QFETCH(QString, damage);
  QFETCH(bool, inTheRows);
  QVERIFY(FillLibrary(PathOf("good.ngl"), 3));
  Open(PathOf("good.ngl"));
  const QString bad = PathOf("damaged.ngl");
  QVERIFY(FillLibrary(bad, 300));
  if (damage == "free list")
    TOtherConnection(bad).Query("DELETE FROM Puzzles WHERE N <= 150");
  Damage(bad, damage);
  {
    // SQLite itself stops partway through the rows, or reads them all.
    TOtherConnection other(bad);
    QSqlQuery rows = other.Query("SELECT * FROM Puzzles");
    int read = 0;
    while (rows.next())
      ++read;
    QCOMPARE(rows.lastError().isValid(), inTheRows);
    QVERIFY(inTheRows ? read < 300 : read == 150);
  }
  const QByteArray before = Digest(bad);

  Open(bad);
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"Error opening league file."});
  QCOMPARE(Digest(bad), before);
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - good.ngl"));
  QCOMPARE(m_form->Library().Count(), 3);
  TPuzzleLibrary library;
  QVERIFY_THROWS_EXCEPTION(TLibraryError, library.Open(bad));
  QVERIFY(!library.IsOpen());
}

void TestLibrarySafety::damageFoundWhileOpen() {
  const QString path = PathOf("open.ngl");
  QVERIFY(FillLibrary(path, 300));
  Open(path);
  QCOMPARE(m_form->Library().Count(), 300);
  Damage(path, "garbage page");
  const QByteArray before = Digest(path);
  Retitle(m_form->Game(), QString("Puzzle 300").toStdString());
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"database disk image is malformed"});
  QCOMPARE(m_fakes->messages.shown[0].kind, QString("application"));
  QCOMPARE(Digest(path), before);
  QVERIFY(!QFileInfo::exists(path + "-journal"));
}

void TestLibrarySafety::twoCopies_data() {
  QTest::addColumn<QString>("story");
  QTest::addColumn<bool>("swapped");
  for (const char *story :
       {"both design", "save after delete", "delete after reuse", "retitle after delete"})
    for (const bool swapped : {false, true})
      QTest::addRow("%s, %s first", story, swapped ? "B" : "A") << QString(story) << swapped;
}

void TestLibrarySafety::twoCopies() {
  QFETCH(QString, story);
  QFETCH(bool, swapped);
  const QString path = PathOf("shared.ngl");
  QVERIFY(FillLibrary(path, 6));
  TPuzzleLibrary a, b;
  QVERIFY(a.Open(path) && b.Open(path));
  TPuzzleLibrary &first = swapped ? b : a;
  TPuzzleLibrary &second = swapped ? a : b;
  TStoredCells mine, theirs;
  mine.fill("+1");
  theirs.fill("-2");
  const QStringList six = FileTitles(path);
  QCOMPARE(six.size(), 6);

  if (story == "both design") {
    // Both lists were read before either change; only the file knows.
    const TPuzzleLibrary::TAppended one = first.AppendFree("New Puzzle");
    const TPuzzleLibrary::TAppended two = second.AppendFree("New Puzzle");
    QCOMPARE(one.title, QString("New Puzzle"));
    QCOMPARE(two.title, QString("New Puzzle (1)"));
    first.Save(one.title, mine);
    second.Save(two.title, theirs);
    QCOMPARE(FileTitles(path), six + QStringList({"New Puzzle", "New Puzzle (1)"}));
    QCOMPARE(FileCell(path, "New Puzzle"), QString("+1"));
    QCOMPARE(FileCell(path, "New Puzzle (1)"), QString("-2"));
  } else if (story == "save after delete") {
    QVERIFY(second.ReadCells(ListedIndex(second, "Puzzle 5")));
    QVERIFY(first.Delete(ListedIndex(first, "Puzzle 5")));
    second.Save("Puzzle 5", theirs);
    QCOMPARE(FileTitles(path),
             QStringList({"Puzzle 1", "Puzzle 2", "Puzzle 3", "Puzzle 4", "Puzzle 6", "Puzzle 5"}));
    QCOMPARE(FileCell(path, "Puzzle 5"), QString("-2"));
  } else if (story == "retitle after delete") {
    const int index = ListedIndex(second, "Puzzle 5");
    QVERIFY(first.Delete(ListedIndex(first, "Puzzle 5")));
    QVERIFY_THROWS_EXCEPTION(TLibraryError, second.SetTitle(index, "Renamed"));
    QCOMPARE(FileTitles(path), six.mid(0, 4) + six.mid(5));
  } else {
    // The last row goes and a new one takes its rowid, which the other
    // copy's list still gives to the row that has gone.
    QVERIFY(first.Delete(5));
    first.Save(first.AppendFree("New Puzzle").title, mine);
    QVERIFY(!second.Delete(5));
    QCOMPARE(FileTitles(path), six.mid(0, 5) + QStringList{"New Puzzle"});
    QCOMPARE(second.Row(5).title, QString("New Puzzle"));
    QCOMPARE(second.ReadCells(5).value()[0], QByteArray("+1"));
  }
}

void TestLibrarySafety::windowFollowsTheFile() {
  // Another copy of the program deletes rows that this window still lists.
  const QString path = PathOf("shared.ngl");
  QVERIFY(FillLibrary(path, 6));
  Open(path);
  QAbstractItemModel *grid = m_form->DBGrid->model();
  m_form->Game().Board()[0][0] = {false, "5", false};
  TOtherConnection(path).Query("DELETE FROM Puzzles WHERE Title = 'Puzzle 5'");
  m_form->SetCurrentRecord(4);
  Action("MenuLoadPuzzle")->trigger();
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("5"));
  QCOMPARE(grid->rowCount(), 5);
  QCOMPARE(m_fakes->messages.Texts(), QStringList());

  TOtherConnection(path).Query("DELETE FROM Puzzles WHERE Title = 'Puzzle 1'");
  QVERIFY(!grid->setData(grid->index(0, 1), "Renamed"));
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"This puzzle is no longer in the library."});
  QTRY_COMPARE(grid->rowCount(), 4);
  QCOMPARE(TOtherConnection(path).Value("SELECT group_concat(Title, '|') FROM Puzzles"),
           QVariant("Puzzle 2|Puzzle 3|Puzzle 4|Puzzle 6"));
}

void TestLibrarySafety::fullDisk_data() {
  QTest::addColumn<QString>("command");
  QTest::addColumn<QString>("title");
  QTest::newRow("Save Database As...") << "save as" << QString();
  QTest::newRow("Save Database As... over an old file") << "save as over" << QString();
  QTest::newRow("Save Puzzle, new title") << "save puzzle"
                                          << "Brand new";
  QTest::newRow("Save Puzzle, existing title") << "save puzzle"
                                               << "Puzzle 7";
}

void TestLibrarySafety::fullDisk() {
  QFETCH(QString, command);
  QFETCH(QString, title);
  if (::geteuid() != 0)
    QSKIP("The full disk is a small tmpfs mounted for the test, which needs root.");
  const QString disk = PathOf("disk");
  QVERIFY(QDir().mkpath(disk));
  if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=256k") != 0)
    QSKIP(qPrintable(QString("The full disk is a small tmpfs mounted for the test; mount: %1")
                         .arg(std::strerror(errno))));
  const auto unmount = qScopeGuard([&] {
    m_form.reset();
    ::umount2(QFile::encodeName(disk).constData(), MNT_DETACH);
  });

  if (command.startsWith("save as")) {
    const QString source = PathOf("source.ngl");
    QVERIFY(FillLibrary(source, 300));
    Open(source);
    const QByteArray before = Digest(source);
    const QString target = disk + "/copy.ngl";
    if (command == "save as over") {
      QFile old(target);
      QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old contents") == 12);
    }
    FillDisk(disk, 32 * 1024);
    const QStringList files = QDir(disk).entryList(QDir::Files);
    m_fakes->files.answers.push_back(target);
    m_fakes->messages.answers = {QMessageBox::Yes};
    Action("MenuSaveAs")->trigger();
    QCOMPARE(m_fakes->messages.shown.back().kind, QString("application"));
    QVERIFY2(m_fakes->messages.shown.back().text.contains("No space left on device"),
             qPrintable(m_fakes->messages.shown.back().text));
    QCOMPARE(QDir(disk).entryList(QDir::Files), files);
    if (command == "save as over") {
      QFile old(target);
      QVERIFY(old.open(QIODevice::ReadOnly));
      QCOMPARE(old.readAll(), QByteArray("old contents"));
    }
    QCOMPARE(Digest(source), before);
    QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - source.ngl"));
    QCOMPARE(m_form->Library().Count(), 300);
    return;
  }

  const QString path = disk + "/full.ngl";
  QVERIFY(FillLibrary(path, 300));
  Open(path);
  const QByteArray before = Digest(path);
  FillDisk(disk, 0);
  Retitle(m_form->Game(), QString(title).toStdString());
  m_form->Game().Board()[0][0] = {true, "9", false};
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"database or disk is full"});
  QCOMPARE(m_fakes->messages.shown[0].kind, QString("application"));
  QCOMPARE(QDir(disk).entryList(QDir::Files), QStringList({"filler", "full.ngl"}));
  QCOMPARE(Digest(path), before);
  QCOMPARE(m_form->Library().Count(), 300);
  // With room again, the same save goes through.
  QVERIFY(QFile::remove(disk + "/filler"));
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QCOMPARE(m_form->Library().Count(), title == "Puzzle 7" ? 300 : 301);
  QCOMPARE(FileCell(path, title), QString("+9"));
}

int main(int argc, char *argv[]) {
  if (argc == 3 && std::strcmp(argv[1], DieInAChangeArgument) == 0) {
    QCoreApplication application(argc, argv);
    return DieInAChange(QString::fromLocal8Bit(argv[2]));
  }
  QTEST_MAIN_SETUP()
  TestLibrarySafety test;
  QTEST_SET_MAIN_SOURCE_PATH
  return QTest::qExec(&test, argc, argv);
}

#include "tst_librarysafety.moc"
