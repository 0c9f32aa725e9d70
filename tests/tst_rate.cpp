// ninegrove-rate as a user runs it: arguments, standard input, files, and
// what it prints on its two streams and in its exit status.
#include <QtTest>

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <optional>

class TestRate : public QObject {
  Q_OBJECT

private slots:
  void singlesAsRated_data();
  void singlesAsRated();
  void outputForm_data();
  void outputForm();
  void unfinished_data();
  void unfinished();
  void badInput_data();
  void badInput();
  void standardInput_data();
  void standardInput();
  void threadsKeepOrder();
  void resultsBeforeInputEnds();
  void explainListsSteps();
  void commandLine_data();
  void commandLine();
};

namespace {

struct TRun {
  int exitCode = -1;
  QString out, err;
};

TRun Run(const QStringList &arguments, const QByteArray &input = {}) {
  QProcess process;
  process.start(QStringLiteral(NINEGROVE_RATE_PROGRAM), arguments);
  if (!process.waitForStarted())
    return {};
  process.write(input);
  process.closeWriteChannel();
  if (!process.waitForFinished(240000) || process.exitStatus() != QProcess::NormalExit)
    return {};
  return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
          QString::fromUtf8(process.readAllStandardError())};
}

QStringList Lines(const QString &text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  if (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  return lines;
}

// A rated line's three ratings in tenths, or nothing when the line is not
// of the form "<81 cells> ED=ER/EP/ED".
std::optional<std::array<int, 3>> Ratings(const QString &line, const QString &puzzle) {
  static const QRegularExpression form(
      QStringLiteral("^([1-9.]{81}) ED=(\\d+)\\.(\\d)/(\\d+)\\.(\\d)/(\\d+)\\.(\\d)$"));
  const QRegularExpressionMatch match = form.match(line);
  if (!match.hasMatch() || match.captured(1) != puzzle)
    return std::nullopt;
  std::array<int, 3> tenths{};
  for (int i = 0; i < 3; ++i)
    tenths[i] = match.captured(2 + 2 * i).toInt() * 10 + match.captured(3 + 2 * i).toInt();
  return tenths;
}

// Rows of SE's rated collection: the puzzle and its ER in tenths.
struct TRated {
  int line;
  QString puzzle;
  int er;
};

QList<TRated> RatedRows() {
  QList<TRated> rows;
  QFile file(QStringLiteral(NINEGROVE_TEST_DATA "/cb000_ser.tsv"));
  if (!file.open(QIODevice::ReadOnly))
    return rows;
  int number = 0;
  while (!file.atEnd()) {
    const QList<QByteArray> fields = file.readLine().trimmed().split('\t');
    ++number;
    if (fields.size() == 2)
      rows.push_back({number, QString::fromLatin1(fields[0]), qRound(fields[1].toDouble() * 10)});
  }
  return rows;
}

QString Normalized(QString puzzle) {
  for (QChar &c : puzzle)
    if (c < QLatin1Char('1') || c > QLatin1Char('9'))
      c = QLatin1Char('.');
  return puzzle;
}

const QString Easy = QStringLiteral(
    "..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..");
const QString Easy2 = QStringLiteral(
    "2...8.3...6..7..84.3.5..2.9...1.54.8.........4.27.6...3.1..7.4.72..4..6...4.1...3");
const QString TryHelp = QStringLiteral("Try 'ninegrove-rate --help' for more information.");
// The same puzzle as Easy, as a block of nine lines with separators.
const QByteArray EasyBlock = "..3|.2.|6..\n9..|3.5|..1\n..1|8.6|4..\n"
                             "---+---+---\n"
                             "..8|1.2|9..\n7..|...|..8\n..6|7.8|2..\n"
                             "---+---+---\n"
                             "..2|6.9|5..\n8..|2.3|..9\n..5|.1.|3..\n";

} // namespace

// Puzzles that singles alone finish rate exactly as SE rates them, and every
// step places a digit, so EP and ED are the first step's rating.
void TestRate::singlesAsRated_data() {
  QTest::addColumn<QString>("puzzle");
  QTest::addColumn<int>("er");
  int twelve = 0, fifteen = 0;
  for (const TRated &row : RatedRows()) {
    if ((row.er == 12 && twelve++ < 4) || (row.er == 15 && fifteen++ < 4))
      QTest::addRow("cb000 line %d, %d.%d", row.line, row.er / 10, row.er % 10)
          << row.puzzle << row.er;
  }
  QCOMPARE(twelve + fifteen > 8, true);
}

void TestRate::singlesAsRated() {
  QFETCH(QString, puzzle);
  QFETCH(int, er);
  const TRun run = Run({QStringLiteral("--threads"), QStringLiteral("1")}, puzzle.toLatin1());
  QCOMPARE(run.exitCode, 0);
  QCOMPARE(run.err, QString());
  const QStringList lines = Lines(run.out);
  QCOMPARE(lines.size(), 1);
  const auto ratings = Ratings(lines[0], puzzle);
  QVERIFY2(ratings, qPrintable(lines[0]));
  QCOMPARE((*ratings)[0], er);
  QCOMPARE((*ratings)[1], (*ratings)[2]);
  QVERIFY((*ratings)[2] >= 10 && (*ratings)[2] <= er);
}

// Whatever the engine finds, the line has its form: the cells as given, and
// ED <= EP <= ER, or 20.0 for ER when logic cannot finish.
void TestRate::outputForm_data() {
  QTest::addColumn<QString>("puzzle");
  const QList<TRated> rows = RatedRows();
  QCOMPARE(rows.size(), 21375);
  for (int i = 0; i < 12; ++i)
    QTest::addRow("cb000 line %d, %d.%d", rows[i].line, rows[i].er / 10, rows[i].er % 10)
        << rows[i].puzzle;
}

void TestRate::outputForm() {
  QFETCH(QString, puzzle);
  const TRun run = Run({}, puzzle.toLatin1() + '\n');
  QCOMPARE(run.exitCode, 0);
  const QStringList lines = Lines(run.out);
  QCOMPARE(lines.size(), 1);
  const auto ratings = Ratings(lines[0], puzzle);
  QVERIFY2(ratings, qPrintable(lines[0]));
  const auto [er, ep, ed] = *ratings;
  QVERIFY2(ed >= 10 && ed <= ep && ep <= er && er <= 200, qPrintable(lines[0]));
}

// No solution and several solutions rate 20.0 on all three; --explain says why.
void TestRate::unfinished_data() {
  QTest::addColumn<QString>("puzzle");
  QTest::addColumn<QString>("why");
  QTest::newRow("no solution")
      << QStringLiteral(
             "1...5.2.9..7.......6.......2...........5.1..2....2.39.3.4.9...15...1...3...8...4.")
      << QStringLiteral("the puzzle has no solution");
  QTest::newRow("two givens alike in a row")
      << QString(QLatin1Char('3') + Easy.mid(1)) << QStringLiteral("the puzzle has no solution");
  QTest::newRow("125 solutions")
      << QStringLiteral(
             "8.........95.......67..........2.485...4.3192......736...651947...732518...894263")
      << QStringLiteral("the puzzle has more than one solution");
  QTest::newRow("empty grid") << QString(81, QLatin1Char('.'))
                              << QStringLiteral("the puzzle has more than one solution");
}

void TestRate::unfinished() {
  QFETCH(QString, puzzle);
  QFETCH(QString, why);
  const TRun run = Run({}, puzzle.toLatin1() + '\n');
  QCOMPARE(run.exitCode, 0);
  QCOMPARE(run.out, puzzle + QStringLiteral(" ED=20.0/20.0/20.0\n"));
  const TRun explained = Run({QStringLiteral("--explain")}, puzzle.toLatin1() + '\n');
  QCOMPARE(explained.exitCode, 0);
  QCOMPARE(explained.out, puzzle + QStringLiteral(" ED=20.0/20.0/20.0\n  20.0 ") + why + '\n');
}

// Each bad line is named with its file and line on standard error, the good
// puzzles around it are still rated, and the exit status is 1.
void TestRate::badInput_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QStringList>("bad");   // what is said of each bad line, after the file name
  QTest::addColumn<QStringList>("rated"); // the puzzles rated, in order
  const QByteArray easy = Easy.toLatin1(), easy2 = Easy2.toLatin1();
  const QString longShown = Easy + QLatin1Char('x') + QString(8, QLatin1Char('y'));
  QTest::newRow("all good, with comments and titles")
      << "# two puzzles\n" + easy + "\tfirst\n\n" + easy2 + " 2.3\n"
      << QStringList() << QStringList{Easy, Easy2};
  QTest::newRow("a word between puzzles")
      << easy + "\nhello world\n" + easy2 + '\n'
      << QStringList{QStringLiteral(":2: not a puzzle: hello world")} << QStringList{Easy, Easy2};
  QTest::newRow("80 cells") << easy.left(80) + '\n' + easy2 + '\n'
                            << QStringList{QStringLiteral(":1: not a puzzle: ") + Easy.left(80)}
                            << QStringList{Easy2};
  QTest::newRow("a digit too many")
      << easy + '\n' + easy2 + "1\n"
      << QStringList{QStringLiteral(":2: not a puzzle: ") + Easy2 + QLatin1Char('1')}
      << QStringList{Easy};
  QTest::newRow("a block cut short by a blank line")
      << EasyBlock.left(36) + "\n" + EasyBlock
      << QStringList{QStringLiteral(":1: not a puzzle: ..3|.2.|6.."),
                     QStringLiteral(":2: not a puzzle: 9..|3.5|..1"),
                     QStringLiteral(":3: not a puzzle: ..1|8.6|4..")}
      << QStringList{Easy};
  QTest::newRow("a block and lines of dashes")
      << "-----\n" + EasyBlock + "\n" + QByteArray(easy2).replace('.', '-') << QStringList()
      << QStringList{Easy, Easy2};
  QTest::newRow("a long line") << easy + 'x' + QByteArray(10000, 'y') + '\n' + easy2
                               << QStringList{QStringLiteral(":1: not a puzzle: ") + longShown +
                                              QStringLiteral("...")}
                               << QStringList{Easy2};
}

void TestRate::badInput() {
  QFETCH(QByteArray, text);
  QFETCH(QStringList, bad);
  QFETCH(QStringList, rated);
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  const QString path = dir.filePath(QStringLiteral("puzzles.txt"));
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(text);
  file.close();

  // The file twice, with a missing file and a folder between.
  const QString missing = dir.filePath(QStringLiteral("missing.txt"));
  const TRun run =
      Run({path, missing, dir.path(), path, QStringLiteral("--threads"), QStringLiteral("2")});
  QCOMPARE(run.exitCode, 1);
  const QString program = QStringLiteral("ninegrove-rate: ");
  QStringList errors;
  for (const QString &said : bad)
    errors << program + path + said;
  errors << program + missing + QStringLiteral(": cannot read: No such file or directory")
         << program + dir.path() + QStringLiteral(": cannot read: Is a directory");
  for (const QString &said : bad)
    errors << program + path + said;
  QCOMPARE(Lines(run.err), errors);

  const QStringList lines = Lines(run.out);
  QCOMPARE(lines.size(), 2 * rated.size());
  for (int i = 0; i < lines.size(); ++i)
    QVERIFY2(Ratings(lines[i], Normalized(rated[i % rated.size()])), qPrintable(lines[i]));

  const TRun alone = Run({path});
  QCOMPARE(alone.exitCode, bad.isEmpty() ? 0 : 1);
  QCOMPARE(alone.out, run.out.left(run.out.size() / 2));
}

// With no file, or "-", the puzzles come from standard input.
void TestRate::standardInput_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QStringList>("rated");
  const QByteArray both = Easy.toLatin1() + "\r\n" + Easy2.toLatin1();
  QTest::newRow("no file") << QStringList() << both << QStringList{Easy, Easy2};
  QTest::newRow("-") << QStringList{QStringLiteral("-")} << both << QStringList{Easy, Easy2};
  QTest::newRow("a block") << QStringList() << EasyBlock << QStringList{Easy};
  QTest::newRow("nothing") << QStringList() << QByteArray() << QStringList();
}

void TestRate::standardInput() {
  QFETCH(QStringList, arguments);
  QFETCH(QByteArray, input);
  QFETCH(QStringList, rated);
  const TRun run = Run(arguments, input);
  QCOMPARE(run.exitCode, 0);
  QCOMPARE(run.err, QString());
  const QStringList lines = Lines(run.out);
  QCOMPARE(lines.size(), rated.size());
  for (int i = 0; i < lines.size(); ++i)
    QVERIFY2(Ratings(lines[i], rated[i]), qPrintable(lines[i]));
}

// Puzzles of every kind on two threads come out in input order, exactly as
// one thread rates them.
void TestRate::threadsKeepOrder() {
  QList<TRated> rows = RatedRows();
  QByteArray input;
  QStringList puzzles;
  // Of all kinds, but none of the slowest.
  for (int i = 0; puzzles.size() < 40; ++i)
    if (rows[i].er < 90) {
      input += rows[i].puzzle.toLatin1() + '\n';
      puzzles << rows[i].puzzle;
    }
  QFile easy(QStringLiteral(NINEGROVE_TEST_DATA "/easy50.txt"));
  QVERIFY(easy.open(QIODevice::ReadOnly));
  for (const QByteArray &line : easy.readAll().split('\n'))
    if (!line.trimmed().isEmpty()) {
      input += line.trimmed() + '\n';
      puzzles << Normalized(QString::fromLatin1(line.trimmed()));
    }
  QCOMPARE(puzzles.size(), 90);

  const TRun two = Run({QStringLiteral("--threads"), QStringLiteral("2")}, input);
  QCOMPARE(two.exitCode, 0);
  const QStringList lines = Lines(two.out);
  QCOMPARE(lines.size(), puzzles.size());
  for (int i = 0; i < lines.size(); ++i)
    QVERIFY2(Ratings(lines[i], puzzles[i]), qPrintable(lines[i]));
  const TRun one = Run({QStringLiteral("--threads=1")}, input);
  QCOMPARE(one.exitCode, 0);
  QCOMPARE(two.out, one.out);
}

// A result comes out while standard input is still open: a long list can be
// piped on as it is rated.
void TestRate::resultsBeforeInputEnds() {
  QProcess process;
  process.start(QStringLiteral(NINEGROVE_RATE_PROGRAM), {QStringLiteral("--threads=2")});
  QVERIFY(process.waitForStarted());
  process.write(Easy.toLatin1() + '\n');
  QByteArray out;
  while (!out.contains('\n') && process.waitForReadyRead(30000))
    out += process.readAllStandardOutput();
  QVERIFY2(Ratings(QString::fromLatin1(out).trimmed(), Easy), out.constData());
  process.write(Easy2.toLatin1() + '\n');
  process.closeWriteChannel();
  QVERIFY(process.waitForFinished(30000));
  QCOMPARE(process.exitCode(), 0);
  out += process.readAllStandardOutput();
  QCOMPARE(Lines(QString::fromLatin1(out)).size(), 2);
}

// --explain: after the puzzle's line, one line a step (its rating and the step
// in words), the first step's rating ED and the highest ER. A singles puzzle
// takes one step for each empty cell.
void TestRate::explainListsSteps() {
  const TRun run = Run({QStringLiteral("--explain")}, Easy.toLatin1());
  QCOMPARE(run.exitCode, 0);
  const QStringList lines = Lines(run.out);
  QVERIFY(!lines.isEmpty());
  const auto ratings = Ratings(lines[0], Easy);
  QVERIFY2(ratings, qPrintable(lines[0]));
  static const QRegularExpression stepLine(QStringLiteral("^  (\\d+)\\.(\\d) +(\\S.*)$"));
  QList<int> steps;
  int placements = 0;
  for (const QString &line : lines.mid(1)) {
    const QRegularExpressionMatch match = stepLine.match(line);
    if (match.hasMatch()) {
      steps << match.captured(1).toInt() * 10 + match.captured(2).toInt();
      QVERIFY2(match.captured(3).startsWith(QStringLiteral("Hidden Single")) ||
                   match.captured(3).startsWith(QStringLiteral("Naked Single")),
               qPrintable(line));
    } else {
      QVERIFY2(line.startsWith(QStringLiteral("       ")), qPrintable(line));
      placements += line.trimmed().startsWith(QStringLiteral("Places "));
    }
  }
  QCOMPARE(steps.size(), int(Easy.count(QLatin1Char('.'))));
  QCOMPARE(placements, steps.size());
  QCOMPARE(steps.first(), (*ratings)[2]);
  QCOMPARE(*std::max_element(steps.begin(), steps.end()), (*ratings)[0]);

  // Without --explain, only the puzzle's line.
  QCOMPARE(Run({}, Easy.toLatin1()).out, lines[0] + '\n');
}

void TestRate::commandLine_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<int>("exitCode");
  QTest::addColumn<QString>("out"); // the start of standard output
  QTest::addColumn<QString>("err"); // the first line of standard error
  QTest::newRow("--version") << QStringList{QStringLiteral("--version")} << 0
                             << QStringLiteral("ninegrove-rate (Ninegrove) " NINEGROVE_VERSION "\n")
                             << QString();
  QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0
                          << QStringLiteral("Usage: ninegrove-rate [--explain] [--threads N] "
                                            "[FILE]...")
                          << QString();
  QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast")} << 2 << QString()
                                  << QStringLiteral("ninegrove-rate: unknown option '--fast'");
  QTest::newRow("no thread count") << QStringList{QStringLiteral("--threads")} << 2 << QString()
                                   << QStringLiteral("ninegrove-rate: --threads needs a number");
  for (const char *count : {"0", "two", "3x", "-1", "100000"})
    QTest::addRow("--threads %s", count)
        << QStringList{QStringLiteral("--threads"), QString::fromLatin1(count)} << 2 << QString()
        << QStringLiteral("ninegrove-rate: --threads needs a whole number from 1 to 1024, "
                          "not '%1'")
               .arg(QString::fromLatin1(count));
  // After "--" a name that looks like an option is a file.
  QTest::newRow("-- then a file") << QStringList{QStringLiteral("--"), QStringLiteral("--fast")}
                                  << 1 << QString()
                                  << QStringLiteral("ninegrove-rate: --fast: cannot read: "
                                                    "No such file or directory");
}

void TestRate::commandLine() {
  QFETCH(QStringList, arguments);
  QFETCH(int, exitCode);
  QFETCH(QString, out);
  QFETCH(QString, err);
  const TRun run = Run(arguments);
  QCOMPARE(run.exitCode, exitCode);
  QVERIFY2(run.out.startsWith(out), qPrintable(run.out));
  QCOMPARE(Lines(run.err).value(0), err);
  if (exitCode == 2)
    QCOMPARE(Lines(run.err).value(1), TryHelp);
}

QTEST_GUILESS_MAIN(TestRate)
#include "tst_rate.moc"
