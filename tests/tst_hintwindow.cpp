// Hint, Rate Puzzle and Generate Graded Puzzle as the window runs them,
// through their actions, the hint panel and the graded dialog.
#include "fakeservices.h"
#include "formgraded.h"
#include "formmain.h"
#include "hintpanel.h"
#include "puzzles.h"
#include "stringgrid.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

Q_DECLARE_METATYPE(TBand)

namespace {

// From cb000_ser.tsv, with SE's ER.
const char *Easy =
    "1.3..67........123.8..2.......314......5.....5..97...8.41....5.87..9..469........";
const char *Fiendish = // 2.6
    ".23....8.......12.7.91.........97.46...3....29..6......6.9..5.457.....98.....4...";

QPoint CellPoint(int col, int row, int dx, int dy) {
  return TStringGrid::CellRect(col, row).topLeft() + QPoint(dx, dy);
}

} // namespace

class TestHintWindow : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void commandsInTheGridMenu();
  void hintInTwoStages();
  void hintNamesTheMistake();
  void highlightKeepsTheDesignsColours();
  void ratePuzzle_data();
  void ratePuzzle();
  void generateGraded_data();
  void generateGraded();
  void cancelGeneration();
  void exportWithRatings();

private:
  void Open(const char *line);
  QImage GridImage() const {
    return m_form->StringGrid->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

void TestHintWindow::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_fakes = std::make_unique<TFakeServices>();
  m_fakes->services.programFolder = m_dir->path();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
  m_form->show();
}

void TestHintWindow::cleanup() {
  m_form.reset();
  m_fakes.reset();
  m_dir.reset();
}

void TestHintWindow::Open(const char *line) {
  m_form->Game().OpenPuzzle(Given(line), "p");
  m_form->ShowBoard();
}

void TestHintWindow::commandsInTheGridMenu() {
  QMenu *menu = m_form->menuBar()->findChild<QMenu *>("MenuGrid");
  QVERIFY(menu);
  QStringList names;
  for (QAction *action : menu->actions())
    names << action->objectName();
  const int count = names.indexOf("MenuCountSolutions");
  QVERIFY(count >= 0);
  QCOMPARE(names.mid(count, 4),
           (QStringList{"MenuCountSolutions", "MenuHint", "MenuRatePuzzle", "MenuGenerateGraded"}));
  QCOMPARE(m_form->Action(TCommand::Hint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
  QCOMPARE(m_form->Action(TCommand::GenerateGraded)->text(), "Generate Graded Puzzle...");
}

void TestHintWindow::hintInTwoStages() {
  Open(Easy);
  const auto solution = CountSolutions(TCandidateGrid::FromText(Easy)).solution;
  // Ctrl+H in the entry box is the window's.
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->EditNumber->setFocus();
  QTest::keyClick(m_form->EditNumber, Qt::Key_H, Qt::ControlModifier);
  QVERIFY(m_form->HintPanel && m_form->HintPanel->isVisible());
  // The chord's release is no entry: no snapshot, no warning about the given there.
  QCOMPARE(m_form->Game().History().HistoryPos(), 2);
  QVERIFY(m_fakes->messages.shown.empty());
  const QString first = m_form->HintPanel->Text();
  QVERIFY2(first.startsWith("Look for a Hidden Single in ") ||
               first.startsWith("Look for a Naked Single in "),
           qPrintable(first));
  QVERIFY(m_form->HintPanel->ButtonApply->isHidden());
  QCOMPARE(m_form->HintPanel->LabelHint->accessibleName(), first);
  QVERIFY(m_form->HintShown());
  // The panel stands beside the window, never over the grid.
  const QRect grid(m_form->StringGrid->mapToGlobal(QPoint(0, 0)), m_form->StringGrid->size());
  QVERIFY(!m_form->HintPanel->frameGeometry().intersects(grid));

  m_form->Action(TCommand::Hint)->trigger();
  const QString second = m_form->HintPanel->Text();
  QVERIFY(second != first);
  QVERIFY(second.contains("Places r"));
  QVERIFY(!m_form->HintPanel->ButtonApply->isHidden());
  int placed = -1;
  for (int cell = 0; cell < CellCount && placed < 0; ++cell)
    if (m_form->HighlightOf(ColOf(cell), RowOf(cell)).placements)
      placed = cell;
  QVERIFY(placed >= 0);
  QTest::mouseClick(m_form->HintPanel->ButtonApply, Qt::LeftButton);
  QCOMPARE(m_form->StringGrid->Cell(ColOf(placed), RowOf(placed)),
           QString::number(solution[placed]));
  // The board changed: the marks go and Apply with them.
  QVERIFY(!m_form->HintShown());
  QVERIFY(!m_form->HintPanel->ButtonApply->isEnabled());
  QCOMPARE(m_form->HintPanel->Text(), second + "\n\nThe board has changed since this hint.");
  m_form->Action(TCommand::Undo)->trigger();
  // Said once, however often the board changes after.
  QCOMPARE(m_form->HintPanel->Text(), second + "\n\nThe board has changed since this hint.");
  QCOMPARE(m_form->StringGrid->Cell(ColOf(placed), RowOf(placed)), QString());
}

void TestHintWindow::hintNamesTheMistake() {
  Open(Fiendish);
  const auto solution = CountSolutions(TCandidateGrid::FromText(Fiendish)).solution;
  const int cell = CellOf(6, 2);
  const int wrong = solution[cell] == 9 ? 1 : 9;
  m_form->StringGrid->SetCurrent(6, 2);
  m_form->EditNumber->setText(QString::number(wrong));
  m_form->ApplyEntry();
  m_form->Action(TCommand::Hint)->trigger();
  QCOMPARE(m_form->HintPanel->Text(),
           QStringLiteral("The %1 in row 3, column 7 does not belong there.").arg(wrong));
  QVERIFY(m_form->HighlightOf(6, 2).mistake);
  QVERIFY(!m_form->HighlightOf(5, 2).mistake);
  QVERIFY(m_form->HintPanel->ButtonApply->isHidden());
}

void TestHintWindow::highlightKeepsTheDesignsColours() {
  Open(Easy);
  m_form->Action(TCommand::Hint)->trigger();
  int unit = -1;
  for (int u = 0; u < UnitCount && unit < 0; ++u)
    if (m_form->HighlightOf(ColOf(UnitCells[u][0]), RowOf(UnitCells[u][0])).unit &&
        m_form->HighlightOf(ColOf(UnitCells[u][8]), RowOf(UnitCells[u][8])).unit)
      unit = u;
  QVERIFY(unit >= 0);
  // In the unit: an open cell, made current, and another open one marked as
  // an error; a third open one shows the unit's tint.
  std::vector<int> open;
  for (const int cell : UnitCells[unit])
    if (Easy[RowOf(cell) * 9 + ColOf(cell)] == '.')
      open.push_back(cell);
  QVERIFY(open.size() >= 3);
  m_form->StringGrid->SetCurrent(ColOf(open[0]), RowOf(open[0]));
  m_form->Game().Board()[ColOf(open[1])][RowOf(open[1])].Error = true;
  m_form->StringGrid->repaint();
  const QImage image = GridImage();
  QCOMPARE(image.pixelColor(CellPoint(ColOf(open[0]), RowOf(open[0]), 3, 33)),
           QColor(166, 202, 240));
  QCOMPARE(image.pixelColor(CellPoint(ColOf(open[1]), RowOf(open[1]), 3, 33)),
           QColor(255, 128, 128));
  QCOMPARE(image.pixelColor(CellPoint(ColOf(open[2]), RowOf(open[2]), 3, 33)),
           QColor(255, 240, 165));
  // Outside the unit the ground stays white.
  for (int cell = 0; cell < CellCount; ++cell)
    if (!UnitSets[unit].Has(cell) && Easy[RowOf(cell) * 9 + ColOf(cell)] == '.' &&
        cell != open[0]) {
      QCOMPARE(image.pixelColor(CellPoint(ColOf(cell), RowOf(cell), 3, 33)), QColor(Qt::white));
      break;
    }
}

void TestHintWindow::ratePuzzle_data() {
  QTest::addColumn<QString>("puzzle");
  QTest::addColumn<QString>("text");
  QTest::newRow("fiendish") << Fiendish
                            << "ER/EP/ED: 2.6/1.2/1.2\nBand: Fiendish\nHardest technique: "
                               "Pointing\nThe puzzle has exactly one solution.";
  QString several = Easy;
  several[0] = several[2] = several[5] = '.';
  QTest::newRow("several") << several << "The puzzle has more than one solution.";
}

void TestHintWindow::ratePuzzle() {
  QFETCH(QString, puzzle);
  QFETCH(QString, text);
  const std::string line = puzzle.toStdString();
  Open(line.c_str());
  // The player's own digits are no part of the puzzle.
  m_form->Game().Board()[0][0].Text.assign(1, '5');
  const int busy = m_fakes->cursor.busyCount;
  m_form->Action(TCommand::RatePuzzle)->trigger();
  QCOMPARE(m_fakes->cursor.busyCount, busy + 1);
  QCOMPARE(m_fakes->cursor.depth, 0);
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QCOMPARE(m_fakes->messages.shown[0].caption, "Rate Puzzle");
  QCOMPARE(m_fakes->messages.shown[0].text, text);
}

void TestHintWindow::generateGraded_data() {
  QTest::addColumn<TBand>("band");
  QTest::addColumn<int>("symmetry");
  QTest::newRow("easy") << TBand::Easy << 0;
  QTest::newRow("medium, 180") << TBand::Medium << 1;
  QTest::newRow("hard, 90") << TBand::Hard << 2;
  QTest::newRow("fiendish, mirror") << TBand::Fiendish << 3;
  QTest::newRow("diabolical") << TBand::Diabolical << 0;
}

void TestHintWindow::generateGraded() {
  QFETCH(TBand, band);
  QFETCH(int, symmetry);
  m_fakes->dialogs.scripts.push_back([&](QDialog &dialog) {
    auto &graded = static_cast<TFormGraded &>(dialog);
    graded.ComboBand->setCurrentIndex(int(band));
    graded.ComboSymmetry->setCurrentIndex(symmetry);
    graded.BitBtnOK->click();
    return dialog.result();
  });
  m_form->Action(TCommand::GenerateGraded)->trigger();
  QCOMPARE(m_fakes->dialogs.shown, QStringList{"FormGraded"});
  TCandidateGrid givens;
  for (int cell = 0; cell < CellCount; ++cell) {
    const TSquare &square = m_form->Board[ColOf(cell)][RowOf(cell)];
    QCOMPARE(square.Fixed, !square.Text.empty());
    if (square.Fixed)
      givens.Place(cell, square.Text[0] - '0');
  }
  const TRating rating = RatePuzzle(givens);
  QCOMPARE(rating.result, TRatingResult::Solved);
  QCOMPARE(BandOf(rating.er), band);
  QCOMPARE(
      m_form->LabelTitle->text(),
      QStringLiteral("%1 %2").arg(BandTitle(band), QString::fromStdString(RatingText(rating.er))));
  QCOMPARE(m_form->LabelMode->text(), "Lock Mode");
  QVERIFY(m_form->Game().TimerRunning());
  QCOMPARE(m_fakes->cursor.depth, 0);
}

void TestHintWindow::cancelGeneration() {
  m_form->Game().OpenPuzzle(Given(Easy), "Before");
  m_form->ShowBoard();
  // Cancel in the progress window that Extreme shows at once.
  m_form->MenuEditPuzzleClick();
  QCOMPARE(m_form->Game().Mode(), TMode::Edit);
  const TGrid before = m_form->Board;
  bool cancelled = false;
  QTimer poll;
  connect(&poll, &QTimer::timeout, [&] {
    auto *progress = m_form->findChild<QProgressDialog *>("ProgressWork");
    if (progress && progress->isVisible() && !cancelled) {
      QVERIFY(progress->isModal());
      QPushButton *button = progress->findChild<QPushButton *>();
      QVERIFY(button);
      button->click();
      cancelled = true;
    }
  });
  poll.start(50);
  QVERIFY(!m_form->GenerateGraded(TBand::Extreme, TSymmetry::Rotate90));
  QVERIFY(cancelled);
  QVERIFY(m_form->Board == before);
  QCOMPARE(m_form->Game().Mode(), TMode::Edit);
  QCOMPARE(QString::fromStdString(m_form->Game().Title()), "Before");
  QVERIFY(!m_form->Game().TimerRunning());
}

void TestHintWindow::exportWithRatings() {
  QVERIFY(!m_form->Action(TCommand::ExportRated)->isEnabled());
  QDir(m_dir->path()).mkdir("Data");
  m_fakes->files.answers.push_back(m_dir->filePath("Data/mine.ngl"));
  m_form->Action(TCommand::NewDatabase)->trigger();
  QVERIFY(m_form->Action(TCommand::ExportRated)->isEnabled());
  // SE's ER of each, from cb000_ser.tsv; the last has two solutions.
  QString several = Easy;
  several[0] = several[2] = several[5] = '.';
  QFile in(m_dir->filePath("in.txt"));
  QVERIFY(in.open(QIODevice::WriteOnly));
  in.write(QByteArray(Easy) + "\tOne\n" + Fiendish + "\tTwo\n" + several.toLatin1() + "\tThree\n");
  in.close();
  m_fakes->files.answers.push_back(in.fileName());
  m_form->Action(TCommand::ImportPuzzles)->trigger();
  m_fakes->files.answers.push_back(m_dir->filePath("out.txt"));
  m_form->Action(TCommand::ExportRated)->trigger();
  QCOMPARE(m_fakes->messages.Texts().last(), QString("Puzzles exported: 3."));
  QFile out(m_dir->filePath("out.txt"));
  QVERIFY(out.open(QIODevice::ReadOnly));
  QCOMPARE(out.readAll(), QByteArray(Easy) + "\tOne\t1.2\n" + Fiendish + "\tTwo\t2.6\n" +
                              several.toLatin1() + "\tThree\t20.0\n");
  QCOMPARE(m_fakes->cursor.depth, 0);
}

QTEST_MAIN(TestHintWindow)
#include "tst_hintwindow.moc"
