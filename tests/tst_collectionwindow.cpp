// The collection commands as the window runs them: Paste Puzzle, Count
// Solutions, and Import and Export Puzzles on an open library.
#include "dbgrid.h"
#include "fakeservices.h"
#include "formmain.h"
#include "puzzles.h"
#include "stringgrid.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const char *Puzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

void WriteFile(const QString &path, const QByteArray &bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

} // namespace

class TestCollectionWindow : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void paste_data();
  void paste();
  void pasteWhileTyping();
  void countSolutions_data();
  void countSolutions();
  void importAndExport();

private:
  QString PathOf(const QString &name) const { return m_dir->filePath(name); }

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

void TestCollectionWindow::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QDir(m_dir->path()).mkdir("Data");
  m_fakes = std::make_unique<TFakeServices>();
  m_fakes->services.programFolder = m_dir->path();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestCollectionWindow::cleanup() {
  m_form.reset();
  m_fakes.reset();
  m_dir.reset();
}

void TestCollectionWindow::paste_data() {
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<QString>("givens"); // empty: no puzzle
  QString block;
  for (int row = 0; row < 9; ++row) {
    const QString line = QString::fromLatin1(Puzzle + row * 9, 9);
    block += line.left(3) + " | " + line.mid(3, 3) + " | " + line.mid(6) + "\n";
    if (row == 2 || row == 5)
      block += "------+-------+------\n";
  }
  QTest::newRow("a line") << QString(Puzzle) + "  Easy one\n" << Puzzle;
  QTest::newRow("a block") << block << Puzzle;
  QTest::newRow("the program's own copy") << "own" << Puzzle;
  QTest::newRow("text that is no puzzle") << "Dear diary, 12345" << QString();
}

void TestCollectionWindow::paste() {
  QFETCH(QString, clipboard);
  QFETCH(QString, givens);
  if (clipboard == "own") {
    // Givens and entered digits copy alike; notes are no part of the puzzle.
    m_form->Game().Board() = BoardFromLine(Puzzle);
    m_form->Game().Board()[2][0] = {false, "124", false};
    m_form->ShowBoard();
    m_form->Action(TCommand::Clipboard)->trigger();
  } else {
    QGuiApplication::clipboard()->setText(clipboard);
  }
  m_form->MenuEditPuzzleClick();
  m_form->Game().Board()[4][4] = {false, "9", false};
  m_form->ShowBoard();
  const TGrid before = m_form->Game().Board();
  m_form->Action(TCommand::PastePuzzle)->trigger();
  if (givens.isEmpty()) {
    QCOMPARE(m_fakes->messages.Texts(), QStringList{"The clipboard holds no puzzle."});
    QVERIFY(m_form->Game().Board() == before);
    QCOMPARE(m_form->LabelMode->text(), QString("Edit Mode"));
    return;
  }
  QVERIFY(m_fakes->messages.shown.empty());
  QCOMPARE(LineFromBoard(m_form->Game().Board()), givens.toStdString());
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      QCOMPARE(m_form->Game().Board()[c][r].Fixed, !m_form->Game().Board()[c][r].Text.empty());
  QCOMPARE(m_form->StringGrid->Cell(0, 0), QString("5"));
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QCOMPARE(m_form->LabelTitle->text(), QString("Pasted Puzzle"));
  m_form->Action(TCommand::Undo)->trigger();
  QVERIFY(m_form->Game().Board() == before);
}

void TestCollectionWindow::pasteWhileTyping() {
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  QGuiApplication::clipboard()->setText(Solved);
  m_form->EditNumber->setFocus();
  QTest::keyClick(m_form->EditNumber, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(LineFromBoard(m_form->Game().Board()), std::string(Solved));
  QCOMPARE(m_form->EditNumber->text(), QString());
  QCOMPARE(m_form->Game().History().HistoryPos(), 2); // the board before and the puzzle, no entry
}

void TestCollectionWindow::countSolutions_data() {
  QTest::addColumn<QString>("line");
  QTest::addColumn<QString>("answer");
  std::string clash = Puzzle;
  clash[1] = '5'; // two 5s in the top row
  QTest::newRow("one") << Puzzle << "The puzzle has exactly one solution.";
  QTest::newRow("none") << QString::fromStdString(clash) << "The puzzle has no solution.";
  QTest::newRow("many") << QString(Puzzle).left(40) << "The puzzle has more than one solution.";
}

void TestCollectionWindow::countSolutions() {
  QFETCH(QString, line);
  QFETCH(QString, answer);
  m_form->Game().Board() = BoardFromLine(line.leftJustified(81, '.').toStdString());
  for (auto &column : m_form->Game().Board())
    for (TSquare &cell : column)
      cell.Fixed = !cell.Text.empty();
  m_form->Game().Board()[2][0] = {false, "1", false}; // the player's digit is no part of the puzzle
  const TGrid before = m_form->Game().Board();
  m_form->Action(TCommand::CountSolutions)->trigger();
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QCOMPARE(m_fakes->messages.shown[0].caption, QString("Count Solutions"));
  QCOMPARE(m_fakes->messages.shown[0].text, answer);
  QVERIFY(m_form->Game().Board() == before);
  QCOMPARE(m_fakes->cursor.depth, 0);
}

void TestCollectionWindow::importAndExport() {
  QVERIFY(!m_form->Action(TCommand::ImportPuzzles)->isEnabled());
  QVERIFY(!m_form->Action(TCommand::ExportPuzzles)->isEnabled());
  m_fakes->files.answers.push_back(PathOf("Data/mine.ngl"));
  m_form->Action(TCommand::NewDatabase)->trigger();
  QVERIFY(m_form->Action(TCommand::ImportPuzzles)->isEnabled());

  // Twelve hundred puzzles and a line that is none: the N column widens.
  QByteArray text = QByteArray(Puzzle) + "\tFirst\nnot a puzzle\n";
  for (int i = 0; i < 1200; ++i)
    text += QByteArray(Solved) + "\n";
  WriteFile(PathOf("many.txt"), text);
  m_fakes->files.answers.push_back(PathOf("many.txt"));
  m_form->Action(TCommand::ImportPuzzles)->trigger();
  QCOMPARE(m_fakes->messages.shown.back().kind, QString("information"));
  QCOMPARE(m_fakes->messages.Texts().last(),
           QString("Puzzles imported: 1201.\nLines skipped: 1 (lines 2)."));
  QCOMPARE(m_form->Library().Count(), 1201);
  QCOMPARE(m_form->Library().Row(0).title, QString("First"));
  QCOMPARE(m_form->Library().Row(1).title, QString("many 2"));
  QVERIFY(m_form->DBGrid->columnWidth(0) > 30);

  m_fakes->files.answers.push_back(PathOf("out.txt"));
  m_form->Action(TCommand::ExportPuzzles)->trigger();
  QCOMPARE(m_fakes->messages.Texts().last(), QString("Puzzles exported: 1201."));
  QFile out(PathOf("out.txt"));
  QVERIFY(out.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = out.readAll().split('\n');
  QCOMPARE(lines.first(), QByteArray(Puzzle) + "\tFirst");
  QCOMPARE(lines[1], QByteArray(Solved) + "\tmany 2");

  // The export does not overwrite the open library itself.
  m_fakes->files.answers.push_back(PathOf("Data/mine.ngl"));
  m_form->Action(TCommand::ExportPuzzles)->trigger();
  QCOMPARE(m_fakes->messages.Texts().last(), QString("Can not create file. File is still in use."));
  QCOMPARE(m_form->Library().Count(), 1201);
}

QTEST_MAIN(TestCollectionWindow)
#include "tst_collectionwindow.moc"
