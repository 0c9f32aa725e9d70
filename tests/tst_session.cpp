// The record rules between the game and the library, against real library
// files and with no widget.
#include "fakeclock.h"
#include "game.h"
#include "gametitle.h"
#include "libraryfiles.h"
#include "random.h"
#include "session.h"

#include <QtTest>

class TestSession : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void newPuzzleTitles();
  void untitledRowsOverwritten_data();
  void untitledRowsOverwritten();
  void deleteThenLoad();
  void numbersStayContiguous_data();
  void numbersStayContiguous();
  void oldNumberingMended_data();
  void oldNumberingMended();
  void accessLibraryPath_data();
  void accessLibraryPath();
  void openLibraryBySpelling();

private:
  QString PathOf(const QString &name) const { return m_dir->filePath(name); }
  QStringList Titles() const;
  // N of every row in the file, in the table's order.
  QList<qint64> FileNumbers() const;

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeClock> m_clock;
  std::unique_ptr<TSeededRandom> m_random;
  std::unique_ptr<TGame> m_game;
  std::unique_ptr<TSession> m_session;
};

namespace {

QList<qint64> OneTo(int count) {
  QList<qint64> numbers;
  for (int i = 1; i <= count; ++i)
    numbers << i;
  return numbers;
}

} // namespace

void TestSession::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_clock = std::make_unique<TFakeClock>();
  m_random = std::make_unique<TSeededRandom>(7u);
  m_game = std::make_unique<TGame>(*m_clock, *m_random);
  m_session = std::make_unique<TSession>(*m_game);
}

void TestSession::cleanup() {
  m_session.reset();
  m_game.reset();
  m_dir.reset();
}

QStringList TestSession::Titles() const {
  QStringList titles;
  for (int i = 0; i < m_session->Library().Count(); ++i)
    titles << m_session->Library().Row(i).title;
  return titles;
}

QList<qint64> TestSession::FileNumbers() const {
  TOtherConnection other(m_session->Library().FileName(), "numbers");
  QSqlQuery query = other.Query("SELECT N FROM Puzzles ORDER BY rowid");
  QList<qint64> numbers;
  while (query.next())
    numbers << query.value(0).toLongLong();
  return numbers;
}

void TestSession::newPuzzleTitles() {
  // Without a library the title is always "New Puzzle" and no row is made.
  QCOMPARE(m_session->NewPuzzle(), -1);
  QCOMPARE(m_session->DesignPuzzle(), -1);
  QCOMPARE(m_game->Title(), std::string("New Puzzle"));

  m_session->NewDatabase(PathOf("titles.ngl"));
  QCOMPARE(m_session->NewPuzzle(), 0);
  QCOMPARE(m_session->DesignPuzzle(), 1);
  QCOMPARE(m_game->Mode(), TMode::Edit);
  QCOMPARE(m_session->NewPuzzle(), 2);
  QCOMPARE(Titles(), QStringList({"New Puzzle", "New Puzzle (1)", "New Puzzle (2)"}));
  QCOMPARE(m_game->Title(), std::string("New Puzzle (2)"));
  QCOMPARE(FileNumbers(), OneTo(3));

  // Only "New Puzzle (1)" left: the plain title is free again.
  m_session->DeletePuzzle(0);
  m_session->DeletePuzzle(1);
  QCOMPARE(Titles(), QStringList({"New Puzzle (1)"}));
  QCOMPARE(m_session->NewPuzzle(), 1);
  QCOMPARE(Titles(), QStringList({"New Puzzle (1)", "New Puzzle"}));

  // Letter case is ignored: "NEW PUZZLE", written by another program, takes
  // the plain title's place.
  TOtherConnection(m_session->Library().FileName())
      .Query("UPDATE Puzzles SET Title = 'NEW PUZZLE' WHERE Title = 'New Puzzle'");
  QCOMPARE(m_session->NewPuzzle(), 2);
  QCOMPARE(Titles(), QStringList({"New Puzzle (1)", "NEW PUZZLE", "New Puzzle (2)"}));
  QCOMPARE(FileNumbers(), OneTo(3));
}

void TestSession::untitledRowsOverwritten_data() {
  QTest::addColumn<QString>("title"); // SQL for the middle row's title
  QTest::newRow("NULL, as Access libraries have them") << "NULL";
  QTest::newRow("empty") << "''";
}

void TestSession::untitledRowsOverwritten() {
  QFETCH(QString, title);
  const QString path = PathOf("old.ngl");
  TPuzzleLibrary::Create(path);
  {
    TOtherConnection other(path);
    for (const QString &row : {QString("(1, 'First', '+1')"), QString("(2, %1, '+2')").arg(title),
                               QString("(3, 'Last', '+3')")})
      QVERIFY(other.Query("INSERT INTO Puzzles (N, Title, S00) VALUES " + row).isActive());
  }
  QVERIFY(m_session->OpenDatabase(path));
  QVERIFY(m_session->LoadPuzzle(1));
  QCOMPARE(m_game->Title(), std::string());
  QCOMPARE(m_game->Board()[0][0].Text, std::string("2"));

  m_game->Board()[0][0] = {false, "9", false};
  QCOMPARE(m_session->SavePuzzle(), 1);
  QCOMPARE(m_session->Library().Count(), 3);
  QCOMPARE(FileNumbers(), OneTo(3));
  TOtherConnection other(path);
  QCOMPARE(other.Value("SELECT S00 FROM Puzzles WHERE N = 2").toString(), QString("-9"));
  QCOMPARE(other.Value("SELECT count(*) FROM Puzzles WHERE S00 = '-9'").toInt(), 1);
}

void TestSession::deleteThenLoad() {
  // Nothing to delete or load without a library or in an empty one.
  QVERIFY(!m_session->DeleteAndLoadFirst(0));
  m_session->NewDatabase(PathOf("delete.ngl"));
  QVERIFY(!m_session->DeleteAndLoadFirst(0));

  for (const char *title : {"One", "Two", "Three"}) {
    Retitle(*m_game, title);
    m_game->Board()[0][0] = {true, std::string(1, title[1]), false};
    m_session->SavePuzzle();
  }
  Retitle(*m_game, "Elsewhere");
  QVERIFY(m_session->DeleteAndLoadFirst(1));
  QCOMPARE(Titles(), QStringList({"One", "Three"}));
  QCOMPARE(m_game->Title(), std::string("One"));
  QCOMPARE(m_game->Board()[0][0].Text, std::string("n"));
  QVERIFY(m_game->Board()[0][0].Fixed);

  // The first row goes: the next first row is loaded.
  QVERIFY(m_session->DeleteAndLoadFirst(0));
  QCOMPARE(m_game->Title(), std::string("Three"));
  // The last row goes: the board stays as it was.
  m_game->Board()[4][4] = {false, "4", false};
  QVERIFY(!m_session->DeleteAndLoadFirst(0));
  QCOMPARE(m_session->Library().Count(), 0);
  QCOMPARE(m_game->Board()[4][4].Text, std::string("4"));
  QCOMPARE(m_game->Title(), std::string("Three"));
}

void TestSession::numbersStayContiguous_data() {
  // Steps: d<k> deletes row k, n appends a new puzzle, s<k> saves over row
  // k's title, a saves under a new title.
  QTest::addColumn<QString>("steps");
  QTest::newRow("deletes at the front") << "d0 d0 d0";
  QTest::newRow("deletes in the middle and at the end") << "d150 d298 d0 d1";
  QTest::newRow("appends after deletes") << "d5 n n d299 n a";
  QTest::newRow("saves change no number") << "s0 s299 s150 d150 s150";
  QTest::newRow("everything mixed") << "n d0 a s3 d300 d100 n d0 a";
}

void TestSession::numbersStayContiguous() {
  QFETCH(QString, steps);
  const QString path = PathOf("many.ngl");
  QVERIFY(FillLibrary(path, 300));
  QVERIFY(m_session->OpenDatabase(path));
  int expected = 300;
  int saved = 0;
  for (const QString &step : steps.split(' ')) {
    const int row = step.mid(1).toInt();
    switch (step[0].toLatin1()) {
    case 'd':
      m_session->DeletePuzzle(row);
      --expected;
      break;
    case 'n':
      m_session->NewPuzzle();
      ++expected;
      break;
    case 's':
      Retitle(*m_game, m_session->Library().Row(row).title.toStdString());
      QCOMPARE(m_session->SavePuzzle(), row);
      break;
    case 'a':
      Retitle(*m_game, QString("Saved %1").arg(++saved).toStdString());
      QCOMPARE(m_session->SavePuzzle(), expected++);
      break;
    }
    QCOMPARE(m_session->Library().Count(), expected);
    QCOMPARE(FileNumbers(), OneTo(expected));
    for (int i = 0; i < expected; ++i)
      QCOMPARE(m_session->Library().Row(i).number, i + 1);
  }
  // What the list says is what the file says, read afresh.
  TPuzzleLibrary fresh;
  QVERIFY(fresh.Open(path));
  QCOMPARE(fresh.Count(), expected);
  for (int i = 0; i < expected; ++i) {
    QCOMPARE(fresh.Row(i).rowid, m_session->Library().Row(i).rowid);
    QCOMPARE(fresh.Row(i).title, m_session->Library().Row(i).title);
  }
}

void TestSession::oldNumberingMended_data() {
  // How another program left N; the first change numbers every row.
  QTest::addColumn<QString>("numbers");
  QTest::newRow("all zero") << "UPDATE Puzzles SET N = 0";
  QTest::newRow("a gap") << "UPDATE Puzzles SET N = N + 1 WHERE N > 3";
  QTest::newRow("NULL") << "UPDATE Puzzles SET N = NULL WHERE N = 2";
  QTest::newRow("text for a number") << "UPDATE Puzzles SET N = 'five' WHERE N = 5";
  QTest::newRow("reversed") << "UPDATE Puzzles SET N = 11 - N";
}

void TestSession::oldNumberingMended() {
  QFETCH(QString, numbers);
  const QString path = PathOf("old.ngl");
  QVERIFY(FillLibrary(path, 10));
  QVERIFY(TOtherConnection(path).Query(numbers).isActive());
  QVERIFY(m_session->OpenDatabase(path));
  Retitle(*m_game, "Puzzle 4");
  QCOMPARE(m_session->SavePuzzle(), 3);
  QCOMPARE(FileNumbers(), OneTo(10));
  TOtherConnection other(path);
  QCOMPARE(other.Value("SELECT count(*) FROM Puzzles WHERE typeof(N) = 'integer'").toInt(), 10);
}

void TestSession::accessLibraryPath_data() {
  QTest::addColumn<QString>("access");
  QTest::addColumn<QString>("library");
  QTest::newRow("beside it, as .ngl") << "old/puzzles.mdb"
                                      << "old/puzzles.ngl";
  QTest::newRow("the last suffix only") << "old/my.puzzles.mdb"
                                        << "old/my.puzzles.ngl";
  QTest::newRow("an Access file named .ngl") << "old/access.ngl"
                                             << "old/access.imported.ngl";
}

void TestSession::accessLibraryPath() {
  QFETCH(QString, access);
  QFETCH(QString, library);
  QDir(m_dir->path()).mkpath("old");
  QFile file(PathOf(access));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.close();
  QCOMPARE(TSession::AccessLibraryPath(PathOf(access)), PathOf(library));
}

void TestSession::openLibraryBySpelling() {
  QDir(m_dir->path()).mkpath("sub");
  const QString path = PathOf("sub/open.ngl");
  QVERIFY(!m_session->IsOpenLibrary(path)); // no library open
  m_session->NewDatabase(path);
  TPuzzleLibrary::Create(PathOf("other.ngl"));
  QVERIFY(QFile::link(path, PathOf("link.ngl")));
  QVERIFY(m_session->IsOpenLibrary(path));
  QVERIFY(m_session->IsOpenLibrary(PathOf("sub/../sub/./open.ngl")));
  QVERIFY(m_session->IsOpenLibrary(PathOf("link.ngl")));
  QVERIFY(!m_session->IsOpenLibrary(PathOf("other.ngl")));
  QVERIFY(!m_session->IsOpenLibrary(PathOf("sub/missing.ngl")));
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
