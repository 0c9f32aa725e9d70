#include "count.h"
#include "grading.h"
#include "libraryfiles.h"
#include "output.h"
#include "puzzleimport.h"
#include "puzzlelibrary.h"
#include "puzzlemodel.h"
#include "puzzles.h"
#include "puzzletext.h"

#include <QFontMetrics>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

class TestCollections : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void readForms_data();
  void readForms();

  void pastedPuzzle_data();
  void pastedPuzzle();

  void importTitles();
  void uniqueTitles_data();
  void uniqueTitles();
  void oddFiles_data();
  void oddFiles();
  void cancelLeavesFileAsItWas();
  void failureLeavesFileAsItWas();
  void exportText();
  void exportImportRoundTrip();
  void exportCancelAndFailure();

  void starterLibrary();
  void titleIndex();
  void modelShowsTheList();
  void numberColumnWidth_data();
  void numberColumnWidth();

private:
  QString PathOf(const QString &name) const { return m_dir->filePath(name); }
  QString WriteFile(const QString &name, const QByteArray &content) const;
  void NewLibrary(TPuzzleLibrary &library, const QString &name) const;

  std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

const QByteArray Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";
const QByteArray Puzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";

// The puzzle as a 9-line block, with the given line ends and separators.
QByteArray Block(const QByteArray &line, bool drawn) {
  QByteArray block;
  for (int row = 0; row < 9; ++row) {
    if (drawn && (row == 3 || row == 6))
      block += "------+-------+------\n";
    for (int col = 0; col < 9; ++col) {
      block += line[row * 9 + col];
      block += drawn && (col == 2 || col == 5) ? " | " : drawn && col < 8 ? " " : "";
    }
    block += "\n";
  }
  return block;
}

QString Cells(const TPuzzleCells &cells) {
  return QString::fromLatin1(cells.data(), cells.size());
}

QString Line(const TGrid &grid) {
  QString line;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const TSquare &cell = grid[col][row];
      line += cell.Fixed ? QString::fromStdString(cell.Text) : QStringLiteral(".");
    }
  return line;
}

QStringList Titles(const TPuzzleLibrary &library) {
  QStringList titles;
  for (int i = 0; i < library.Count(); ++i)
    titles << library.Row(i).title;
  return titles;
}

} // namespace

void TestCollections::init() {
  m_dir = std::make_unique<QTemporaryDir>();
}

void TestCollections::cleanup() {
  m_dir.reset();
}

QString TestCollections::WriteFile(const QString &name, const QByteArray &content) const {
  QFile file(PathOf(name));
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
    qFatal("cannot write %s", qPrintable(name));
  return file.fileName();
}

void TestCollections::NewLibrary(TPuzzleLibrary &library, const QString &name) const {
  TPuzzleLibrary::Create(PathOf(name));
  QVERIFY(library.Open(PathOf(name)));
}

void TestCollections::readForms_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QStringList>("puzzles");   // cells, a tab, the title
  QTest::addColumn<QList<qint64>>("skipped"); // the first ten
  QTest::addColumn<qint64>("skippedCount");   // -1: as many as listed

  const QString puzzle = QString::fromLatin1(Puzzle);
  const QString solved = QString::fromLatin1(Solved);
  QByteArray zeros = Puzzle, dashes = Puzzle;
  zeros.replace('.', '0');
  dashes.replace('.', '-');
  const QList<qint64> none;

  QTest::newRow("empty") << QByteArray() << QStringList() << none << qint64(-1);
  QTest::newRow("one line") << Puzzle + "\n" << QStringList{puzzle + "\t"} << none << qint64(-1);
  QTest::newRow("zeros and dashes, no last line end")
      << zeros + "\n" + dashes << QStringList{puzzle + "\t", puzzle + "\t"} << none << qint64(-1);
  QTest::newRow("titles after whitespace")
      << Puzzle + "\tFirst one\n" + Solved + "   Solved  grid  \r\n"
      << QStringList{puzzle + "\tFirst one", solved + "\tSolved  grid"} << none << qint64(-1);
  QTest::newRow("title in UTF-8, control characters as spaces")
      << Puzzle + " Sch\xc3\xb6n\x01gut\n"
      << QStringList{puzzle + "\tSch\u00f6n gut"} << none << qint64(-1);
  QTest::newRow("comments") << "# a collection\n  # indented\n" + Puzzle + "\n#" + Solved + "\n"
                            << QStringList{puzzle + "\t"} << none << qint64(-1);
  QTest::newRow("bad lines") << "hello\n" + Puzzle.left(80) + "\n" + Puzzle + "x\n" + Solved +
                                    "\n" + Puzzle + "1 title\n" + Puzzle.left(40) + "*" +
                                    Puzzle.mid(41) + "\n"
                             << QStringList{solved + "\t"} << QList<qint64>{1, 2, 3, 5, 6}
                             << qint64(-1);
  QTest::newRow("block") << Block(Puzzle, false) << QStringList{puzzle + "\t"} << none
                         << qint64(-1);
  QTest::newRow("blocks drawn, blank lines, CR LF")
      << "\r\n" + Block(Puzzle, true).replace("\n", "\r\n") + "\r\n\r\n" + Block(Solved, true)
      << QStringList{puzzle + "\t", solved + "\t"} << none << qint64(-1);
  QTest::newRow("comment inside a block") << Block(Puzzle, false).insert(30, "# row four next\n")
                                          << QStringList{puzzle + "\t"} << none << qint64(-1);
  QTest::newRow("block cut short by a blank line")
      << Block(Puzzle, false).left(40) + "\n" + Block(Solved, false) << QStringList{solved + "\t"}
      << QList<qint64>{1, 2, 3, 4} << qint64(-1);
  QTest::newRow("block cut short by a line")
      << Block(Puzzle, false).left(20) + Solved + "\n"
      << QStringList{solved + "\t"} << QList<qint64>{1, 2} << qint64(-1);
  QTest::newRow("block cut short by the end")
      << Solved + "\n" + Block(Puzzle, true).left(50) << QStringList{solved + "\t"}
      << QList<qint64>{2, 3, 4} << qint64(-1);
  QTest::newRow("line and block after each other")
      << Block(Puzzle, true) + Solved + "\n" + Block(Solved, false)
      << QStringList{puzzle + "\t", solved + "\t", solved + "\t"} << none << qint64(-1);
  QTest::newRow("old Mac line ends, byte order mark")
      << "\xef\xbb\xbf" + Puzzle + "\r" + Solved + " end\r"
      << QStringList{puzzle + "\t", solved + "\tend"} << none << qint64(-1);
  QTest::newRow("first ten skipped lines")
      << QByteArray("x\n").repeated(12) + Puzzle << QStringList{puzzle + "\t"}
      << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10} << qint64(12);
  // Bytes 0, 239, 222, ... going down by 17: two line ends every 256 bytes.
  QByteArray binary;
  for (int i = 0; i < 4096; ++i)
    binary += char((i * 7919) % 256);
  QTest::newRow("binary") << binary << QStringList() << QList<qint64>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
                          << qint64(33);
}

void TestCollections::readForms() {
  QFETCH(QByteArray, text);
  QFETCH(QStringList, puzzles);
  QFETCH(QList<qint64>, skipped);
  QFETCH(qint64, skippedCount);
  // Whole, and in pieces that split line ends and rows.
  for (const qsizetype piece : {text.size() + 1, qsizetype(1), qsizetype(7)}) {
    QStringList found;
    TPuzzleTextReader reader([&](const TTextPuzzle &puzzle) {
      found << Cells(puzzle.cells) + QLatin1Char('\t') + puzzle.title;
    });
    // Every skipped line told as it is skipped, in order.
    QList<qint64> told;
    reader.SetSkippedLine([&](qint64 line, QByteArrayView) { told << line; });
    for (qsizetype at = 0; at < text.size(); at += piece)
      reader.Feed(QByteArrayView(text).sliced(at, std::min(piece, text.size() - at)));
    reader.Finish();
    QCOMPARE(found, puzzles);
    QCOMPARE(reader.FirstSkipped(), skipped);
    QCOMPARE(reader.Puzzles(), puzzles.size());
    QCOMPARE(reader.Skipped(), skippedCount < 0 ? skipped.size() : skippedCount);
    QCOMPARE(told.size(), reader.Skipped());
    QCOMPARE(told.first(std::min(told.size(), qsizetype(TPuzzleTextReader::ReportedSkips))),
             skipped);
    QVERIFY(std::is_sorted(told.begin(), told.end()));
  }
}

void TestCollections::pastedPuzzle_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<QString>("puzzle"); // empty: no puzzle
  const QString puzzle = QString::fromLatin1(Puzzle);
  QTest::newRow("a line") << puzzle << puzzle;
  QTest::newRow("a line with a title and line end") << puzzle + " My puzzle\r\n" << puzzle;
  QTest::newRow("a block") << QString::fromLatin1(Block(Puzzle, false)) << puzzle;
  QTest::newRow("a drawn block after a heading")
      << "Today's puzzle:\n\n" + QString::fromLatin1(Block(Puzzle, true)) << puzzle;
  QTest::newRow("tab-separated, single digits only")
      << QStringLiteral("5\t3\t12\t\t7\t\t\t\t\n").repeated(9)
      << QStringLiteral("53..7....").repeated(9);
  QTest::newRow("tab-separated with spaces, no last line end")
      << QStringLiteral(" 5 \t\t\t\t\t\t\t\t9\r\n").repeated(8) + QStringLiteral("\t\t\t\t\t\t\t\t")
      << QStringLiteral("5.......9").repeated(8) + QString(9, QLatin1Char('.'));
  // A board in play: givens, the player's digits and candidate lists.
  TGrid board;
  for (int i = 0; i < 81; ++i)
    board[i % 9][i / 9].Text = Puzzle[i] == '.' ? (i % 4 ? "" : "129") : std::string(1, Puzzle[i]);
  QTest::newRow("the program's own copy") << ClipboardText(board) << puzzle;
  QTest::newRow("empty grid copied")
      << QStringLiteral("\t\t\t\t\t\t\t\t\r\n").repeated(9) << QString(81, QLatin1Char('.'));
  QTest::newRow("eight copied lines")
      << QStringLiteral("1\t\t\t\t\t\t\t\t\r\n").repeated(8) << QString();
  QTest::newRow("a row of nine cells")
      << QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9\r\n") << QString();
  QTest::newRow("text") << QStringLiteral("Meet at nine.\n") << QString();
  QTest::newRow("nothing") << QString() << QString();
}

void TestCollections::pastedPuzzle() {
  QFETCH(QString, text);
  QFETCH(QString, puzzle);
  const std::optional<TGrid> grid = PastedPuzzle(text);
  QCOMPARE(grid.has_value(), !puzzle.isEmpty());
  if (!grid)
    return;
  QCOMPARE(Line(*grid), puzzle);
  for (const auto &column : *grid)
    for (const TSquare &cell : column) {
      QCOMPARE(cell.Fixed, !cell.Text.empty());
      QVERIFY(!cell.Error);
    }
}

void TestCollections::importTitles() {
  const QString path =
      WriteFile("Week 12.txt", "# two puzzles, one with a title\n" + Puzzle + "\nnot a puzzle\n" +
                                   Solved + "\tSolved\n\n" + Block(Puzzle, true));
  TPuzzleLibrary library;
  NewLibrary(library, "titles.ngl");
  library.Save(QStringLiteral("Already here"), StoredCells(TGrid()));
  const TImportResult result = ImportPuzzles(library, path);
  QCOMPARE(result.imported, 3);
  QCOMPARE(result.skipped, 1);
  QCOMPARE(result.firstSkipped, QList<qint64>{3});
  QCOMPARE(Titles(library), (QStringList{"Already here", "Week 12 1", "Solved", "Week 12 3"}));
  for (int i = 0; i < library.Count(); ++i)
    QCOMPARE(library.Row(i).number, i + 1);
  // Digits stored as givens, every other cell as "-".
  const QList<QByteArray> lines{Puzzle, Solved, Puzzle};
  for (int row = 1; row <= 3; ++row) {
    const TStoredCells cells = library.ReadCells(row).value();
    for (int i = 0; i < 81; ++i) {
      const char c = lines[row - 1][i];
      QCOMPARE(cells[i], c == '.' ? QStringLiteral("-") : QStringLiteral("+") + QLatin1Char(c));
    }
  }
}

void TestCollections::uniqueTitles_data() {
  QTest::addColumn<QStringList>("existing");
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QStringList>("imported");
  const QString long60 = QString(60, QLatin1Char('L'));
  QTest::newRow("FILE n taken") << QStringList{"Set 1"} << Puzzle + "\n" + Puzzle
                                << QStringList{"Set 1 (1)", "Set 2"};
  QTest::newRow("letter case ignored")
      << QStringList{"SET 1", "set 1 (1)"} << Puzzle << QStringList{"Set 1 (2)"};
  QTest::newRow("only ASCII letters fold, as in SQLite")
      << QStringList{"\u00c4rger"} << Puzzle + " \xc3\xa4rger" << QStringList{"\u00e4rger"};
  QTest::newRow("first free number, even when later ones are taken")
      << QStringList{"Mine", "Mine (2)"} << Puzzle + " Mine\n" + Puzzle + " Mine"
      << QStringList{"Mine (1)", "Mine (3)"};
  QTest::newRow("within the file")
      << QStringList() << Puzzle + " A\n" + Puzzle + " a\n" + Puzzle + " A (1)\n" + Puzzle + " A"
      << QStringList{"A", "a (1)", "A (1) (1)", "A (2)"};
  QTest::newRow("cut to 50, numbers inside 50")
      << QStringList() << Puzzle + " " + long60.toLatin1() + "\n" + Puzzle + " " + long60.toLatin1()
      << QStringList{long60.left(50), long60.left(46) + " (1)"};
  QStringList many;
  QByteArray same;
  for (int i = 0; i < 12; ++i) {
    many << (i ? QStringLiteral("Same (%1)").arg(i) : QStringLiteral("Same"));
    same += Puzzle + " Same\n";
  }
  QTest::newRow("twelve alike") << QStringList() << same << many;
}

void TestCollections::uniqueTitles() {
  QFETCH(QStringList, existing);
  QFETCH(QByteArray, text);
  QFETCH(QStringList, imported);
  TPuzzleLibrary library;
  NewLibrary(library, "unique.ngl");
  for (const QString &title : existing)
    library.Save(title, StoredCells(TGrid()));
  QCOMPARE(ImportPuzzles(library, WriteFile("Set.txt", text)).imported, imported.size());
  QCOMPARE(Titles(library), existing + imported);
}

void TestCollections::oddFiles_data() {
  QTest::addColumn<QByteArray>("content");
  QTest::addColumn<QStringList>("titles");
  QTest::addColumn<int>("skipped"); // -1: some
  constexpr int Huge = 10 << 20;
  const QStringList two{"odd 1", "odd 2"};
  QFile access(QStringLiteral(NINEGROVE_TEST_DATA "/legacy/library_jet4.mdb"));
  QVERIFY(access.open(QIODevice::ReadOnly));
  QTest::newRow("empty") << QByteArray() << QStringList() << 0;
  QTest::newRow("binary") << access.readAll() << QStringList() << -1;
  for (const char c : {'x', '7', ' '})
    QTest::addRow("10 MB of '%c' between two puzzles", c)
        << Solved + "\n" + QByteArray(Huge, c) + "\n" + Puzzle << two << 1;
  QTest::newRow("10 MB title") << Puzzle + " " + QByteArray(Huge, 'T')
                               << QStringList{QString(TitleWidth, QLatin1Char('T'))} << 0;
}

void TestCollections::oddFiles() {
  QFETCH(QByteArray, content);
  QFETCH(QStringList, titles);
  QFETCH(int, skipped);
  TPuzzleLibrary library;
  NewLibrary(library, "library.ngl");
  library.Save(QStringLiteral("Kept"), StoredCells(TGrid()));
  const TImportResult result = ImportPuzzles(library, WriteFile("odd.txt", content));
  QCOMPARE(result.imported, titles.size());
  if (skipped < 0)
    QVERIFY(result.skipped > 0);
  else
    QCOMPARE(result.skipped, skipped);
  QCOMPARE(Titles(library), QStringList{"Kept"} + titles);
}

void TestCollections::cancelLeavesFileAsItWas() {
  TPuzzleLibrary library;
  NewLibrary(library, "cancel.ngl");
  library.Save(QStringLiteral("Kept"), StoredCells(TGrid()));
  const QByteArray before = Digest(library.FileName());
  qint64 calls = 0, lastDone = 0, total = 0;
  const TImportResult result =
      ImportPuzzles(library, QStringLiteral(NINEGROVE_TEST_DATA "/magictour_top1465.txt"),
                    [&](qint64 done, qint64 all) {
                      lastDone = done;
                      total = all;
                      return ++calls < 1;
                    });
  QVERIFY(result.canceled);
  QCOMPARE(result.imported, 0);
  QCOMPARE(calls, 1);
  QVERIFY(lastDone > 0 && lastDone < total);
  QCOMPARE(Digest(library.FileName()), before);
  QCOMPARE(Titles(library), QStringList{"Kept"});
  library.Save(QStringLiteral("Still works"), StoredCells(TGrid()));
  QCOMPARE(library.Count(), 2);
}

void TestCollections::failureLeavesFileAsItWas() {
  TPuzzleLibrary library;
  NewLibrary(library, "failure.ngl");
  library.Save(QStringLiteral("Kept"), StoredCells(TGrid()));
  // The engine refuses the 501st row, as a full disk would.
  {
    TOtherConnection other(library.FileName());
    QSqlQuery trigger = other.Query(QStringLiteral(
        "CREATE TRIGGER Full BEFORE INSERT ON Puzzles "
        "WHEN (SELECT count(*) FROM Puzzles) > 500 BEGIN SELECT RAISE(ABORT, 'full'); END"));
    QVERIFY2(!trigger.lastError().isValid(), qPrintable(trigger.lastError().text()));
  }
  const QByteArray before = Digest(library.FileName());
  try {
    ImportPuzzles(library, QStringLiteral(NINEGROVE_TEST_DATA "/magictour_top1465.txt"));
    QFAIL("the import went through");
  } catch (const TLibraryError &error) {
    QVERIFY2(QString::fromStdString(error.what()).contains(QStringLiteral("full")), error.what());
  }
  QCOMPARE(Digest(library.FileName()), before);
  QCOMPARE(Titles(library), QStringList{"Kept"});
}

void TestCollections::exportText() {
  TPuzzleLibrary library;
  NewLibrary(library, "export.ngl");
  TStoredCells cells;
  cells.fill(QByteArray("-"));
  cells[0] = QByteArray("+5");   // a given
  cells[1] = QByteArray("-3");   // the player's digit
  cells[2] = QByteArray("+123"); // candidates
  cells[3] = QByteArray("5+");   // a '+' elsewhere reads as a given of "+"
  cells[4] = QByteArray("+0");   // no digit of the board
  cells[5] = QByteArray();       // an empty column
  cells[6] = QByteArray("+\"");  // texts that need escapes on the way
  cells[7] = QByteArray("-\\,\"");
  cells[8] = QByteArray("+7");
  cells[80] = QByteArray("+9");
  library.Save(QStringLiteral("Mixed \u00e9t\u00e9"), cells);
  // Whatever other programs leave in a cell column does not stop the export.
  TOtherConnection(library.FileName()).Query(QStringLiteral("UPDATE Puzzles SET S10 = x'00ff'"));
  library.Save(QStringLiteral("Two\nlines"), StoredCells(TGrid()));
  const QString path = PathOf("out.txt");
  const TExportResult result = ExportPuzzles(library, path);
  QCOMPARE(result.exported, 2);
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), "5.......7" + QByteArray(71, '.') + "9\tMixed \xc3\xa9t\xc3\xa9\n" +
                               QByteArray(81, '.') + "\tTwo lines\n");
}

void TestCollections::exportImportRoundTrip() {
  const QString source = QStringLiteral(NINEGROVE_TEST_DATA "/top95.txt");
  TPuzzleLibrary first, second;
  NewLibrary(first, "first.ngl");
  ImportPuzzles(first, source);
  first.SetTitle(3, QStringLiteral("\u6570\u72ec  with  spaces"));
  const QString path = PathOf("exported.txt");
  QCOMPARE(ExportPuzzles(first, path).exported, 95);
  NewLibrary(second, "second.ngl");
  const TImportResult result = ImportPuzzles(second, path);
  QCOMPARE(result.imported, 95);
  QCOMPARE(result.skipped, 0);
  QCOMPARE(Titles(second), Titles(first));
  const auto lines = ReadPuzzleFile(source.toStdString());
  for (int i = 0; i < 95; ++i) {
    QCOMPARE(second.ReadCells(i), first.ReadCells(i));
    TGrid board;
    LoadStoredCells(board, second.ReadCells(i).value());
    QCOMPARE(LineFromBoard(board), lines[i].substr(0, 81));
  }
}

void TestCollections::exportCancelAndFailure() {
  TPuzzleLibrary library;
  NewLibrary(library, "many.ngl");
  ImportPuzzles(library, QStringLiteral(NINEGROVE_TEST_DATA "/magictour_top1465.txt"));
  const QString path = WriteFile("target.txt", "left alone\n");
  const TExportResult result =
      ExportPuzzles(library, path, [](qint64 done, qint64 total) { return done >= total; });
  QVERIFY(result.canceled);
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QCOMPARE(file.readAll(), QByteArray("left alone\n"));
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files).filter(QStringLiteral("target")),
           QStringList{"target.txt"});
  QVERIFY_THROWS_EXCEPTION(TLibraryError, ExportPuzzles(library, PathOf("no such folder/out.txt")));
}

void TestCollections::starterLibrary() {
  // A copy: opening the built file itself must not touch it.
  const QString path = PathOf("starter.ngl");
  QVERIFY(QFile::copy(QStringLiteral(NINEGROVE_PROGRAM_DIR "/Data/Starter Puzzles.ngl"), path));
  TPuzzleLibrary library;
  QVERIFY(library.Open(path));
  // The lists' titles in their order, every band from Easy to Extreme.
  QStringList expected;
  for (int band = 0; band < BandCount; ++band) {
    const QString name = QString::fromUtf8(BandName(TBand(band)).data());
    QFile list(QStringLiteral(NINEGROVE_STARTER_LISTS "/%1.txt").arg(name));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    int count = 0;
    for (const QByteArray &line : list.readAll().split('\n'))
      if (line.size() > 82 && !line.startsWith('#')) {
        expected << QString::fromUtf8(line.mid(82));
        ++count;
      }
    QVERIFY2(count >= 40, qPrintable(name));
  }
  QCOMPARE(Titles(library), expected);
  const QRegularExpression form(QStringLiteral("^(\\w+) (\\d+\\.\\d)( \\((\\d+)\\))?$"));
  QSet<QString> seen;
  for (int i = 0; i < library.Count(); ++i) {
    TGrid board;
    LoadStoredCells(board, library.ReadCells(i).value());
    QVERIFY2(CountSolutions(board) == 1, qPrintable(expected[i]));
    QVERIFY2(!seen.contains(QString::fromStdString(LineFromBoard(board))), qPrintable(expected[i]));
    seen.insert(QString::fromStdString(LineFromBoard(board)));
    // The title is the puzzle's band and its rating.
    const QRegularExpressionMatch match = form.match(expected[i]);
    QVERIFY2(match.hasMatch(), qPrintable(expected[i]));
    const TRating rating = RatePuzzle(TCandidateGrid::FromBoard(board));
    QCOMPARE(rating.result, TRatingResult::Solved);
    QCOMPARE(QString::fromStdString(RatingText(rating.er)), match.captured(2));
    QCOMPARE(QString::fromUtf8(BandName(BandOf(rating.er)).data()), match.captured(1));
  }
}

void TestCollections::titleIndex() {
  const auto indexed = [](const QString &path) {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    bool found = false;
    if (db.open()) {
      QSqlQuery query(db);
      query.exec(QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'index'"));
      found = query.next() && query.value(0).toString().contains(QStringLiteral("NOCASE"));
    }
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("look"));
    return found;
  };
  TPuzzleLibrary::Create(PathOf("new.ngl"));
  QVERIFY(indexed(PathOf("new.ngl")));

  // A library made without the index gets it with its first change, not before.
  const QString old = PathOf("old.ngl");
  {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("make"));
    db.setDatabaseName(old);
    QVERIFY(db.open());
    QSqlQuery(db).exec(DesignCreateStatement);
    QSqlQuery(db).exec(QStringLiteral("INSERT INTO Puzzles (N, Title) VALUES (1, 'One')"));
    db.close();
  }
  QSqlDatabase::removeDatabase(QStringLiteral("make"));
  const QByteArray before = Digest(old);
  TPuzzleLibrary library;
  QVERIFY(TPuzzleLibrary::IsLibrary(old));
  QVERIFY(library.Open(old));
  library.ReadCells(0);
  QCOMPARE(Digest(old), before);
  QVERIFY(!indexed(old));
  library.SetTitle(0, QStringLiteral("Renamed"));
  QVERIFY(indexed(old));
}

void TestCollections::modelShowsTheList() {
  QByteArray text;
  for (int i = 1; i <= 5000; ++i)
    text += Solved + " Row " + QByteArray::number(i) + "\n";
  TPuzzleLibrary library;
  TPuzzleModel model(library, Qt::gray);
  QCOMPARE(model.rowCount(), 0);
  NewLibrary(library, "model.ngl");
  ImportPuzzles(library, WriteFile("rows.txt", text));
  model.Refresh();
  QCOMPARE(model.rowCount(), 5000);
  QList<int> rows{0, 255, 256, 4999, 511};
  for (int row = 0; row < 5000; row += 199)
    rows << row;
  rows << 0 << 300 << 4999 << 42;
  for (const int row : rows) {
    QCOMPARE(model.data(model.index(row, 0), Qt::DisplayRole).toLongLong(), row + 1);
    QCOMPARE(model.data(model.index(row, 1), Qt::DisplayRole).toString(),
             QStringLiteral("Row %1").arg(row + 1));
    QCOMPARE(model.data(model.index(row, 1), Qt::BackgroundRole).value<QColor>(),
             row % 2 ? QColor(Qt::gray) : QColor(Qt::white));
  }
  QVERIFY(model.setData(model.index(300, 1), QStringLiteral("Edited"), Qt::EditRole));
  QCOMPARE(model.data(model.index(300, 1), Qt::DisplayRole).toString(), QStringLiteral("Edited"));
  QCOMPARE(library.Row(300).title, QStringLiteral("Edited"));
  // The library tells the model of its change.
  library.Delete(0);
  QCOMPARE(model.rowCount(), 4999);
  QCOMPARE(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("Row 2"));
  QCOMPARE(model.data(model.index(4998, 0), Qt::DisplayRole).toLongLong(), 4999);
  QVERIFY(!model.data(model.index(4999, 1), Qt::DisplayRole).isValid());
}

void TestCollections::numberColumnWidth_data() {
  QTest::addColumn<qint64>("count");
  for (const qint64 count : {0, 9, 99, 999, 1000, 9999, 49158, 1234567})
    QTest::addRow("%lld", count) << count;
}

void TestCollections::numberColumnWidth() {
  QFETCH(qint64, count);
  const QFontMetrics metrics(QFont(QStringLiteral("Liberation Sans"), 8));
  const int width = NumberColumnWidth(count, metrics);
  QVERIFY(width >= 30);
  QVERIFY(NumberColumnWidth(count * 10 + 9, metrics) >= width);
  // Every number up to count shows in full; with a pixel less some would not.
  const int digits = int(QString::number(std::max<qint64>(count, 1)).size());
  bool tight = false;
  for (char digit = '0'; digit <= '9'; ++digit) {
    const QString number(digits, QLatin1Char(digit));
    const int room = width - NumberColumnPadding;
    QCOMPARE(metrics.elidedText(number, Qt::ElideRight, room), number);
    tight |= metrics.elidedText(number, Qt::ElideRight, room - 1) != number;
  }
  QVERIFY(width == 30 || tight);
  if (count < 100)
    QCOMPARE(width, 30);
}

QTEST_MAIN(TestCollections)
#include "tst_collections.moc"
