#include "dbgrid.h"
#include "fakeservices.h"
#include "formabout.h"
#include "formmain.h"
#include "pagecontrol.h"
#include "puzzles.h"
#include "stringgrid.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

// Offscreen, only the platform's own switch turns accessibility on.
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qpa/qplatformaccessibility.h>
#include <QtGui/qpa/qplatformintegration.h>

Q_DECLARE_METATYPE(TSquare)

class TestWindow : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void startState();
  void geometry();
  void tabOrder();
  void menus_data();
  void menus();
  void toolBar();
  void sharedCommands();

  void cellGrounds();
  void typeColourAndSize();
  void boxLinesSurviveCellRepaint();
  void textStaysInItsCell();

  void timerLabel_data();
  void timerLabel();
  void resetKeepsGivens();
  void shortcutsWhileEditing();

  void solve();
  void solveUnsolvable();
  void fill19();
  void showErrors();
  void undoRedoBeforeAnyEntry();

  void helpFile();
  void builtHelpFile();
  void homePageAndAbout();
  void aboutPictureAtDeviceRatio();

  void accessibleCells_data();
  void accessibleCells();
  void accessibleTable();
  void accessibleEvents();
  void accessibleNames();

private:
  QAction *Action(const char *name) { return m_form->findChild<QAction *>(name); }
  QImage GrabGrid() {
    return m_form->StringGrid->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

namespace {

const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

QPoint CellPoint(int col, int row, int dx, int dy) {
  return {col * 36 + dx, row * 36 + dy};
}

// Pixels of a cell (inside its 35 x 35 rectangle, off the box lines) that pass a test.
int CountInCell(const QImage &image, int col, int row, const std::function<bool(QColor)> &test) {
  int count = 0;
  for (int x = col * 36; x < col * 36 + 35; ++x)
    for (int y = row * 36; y < row * 36 + 35; ++y) {
      if (x >= 106 && x <= 108)
        continue;
      if (x >= 214 && x <= 216)
        continue;
      if (y >= 106 && y <= 108)
        continue;
      if (y >= 214 && y <= 216)
        continue;
      count += test(image.pixelColor(x, y));
    }
  return count;
}

// Height of the rows of a cell that hold ink of the given kind.
QPair<int, int> InkRows(const QImage &image, int col, int row,
                        const std::function<bool(QColor)> &ink) {
  int top = 99, bottom = -1;
  for (int y = row * 36; y < row * 36 + 35; ++y)
    for (int x = col * 36 + 1; x < col * 36 + 35; ++x)
      if (ink(image.pixelColor(x, y))) {
        top = std::min(top, y - row * 36);
        bottom = std::max(bottom, y - row * 36);
      }
  return {top, bottom};
}

bool IsBlackInk(QColor c) {
  return c.red() < 60 && c.green() < 60 && c.blue() < 60;
}
bool IsBlueInk(QColor c) {
  return c.blue() > 180 && c.red() < 120 && c.green() < 120;
}

QString AccessibleName(QObject *object) {
  QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

// Records what reaches assistive technology while it lives: each event with
// the name of what it is about when sent.
struct TAccessibleEvents {
  static inline QList<QPair<QAccessible::Event, QString>> seen;
  TAccessibleEvents() {
    seen.clear();
    Platform()->setActive(true);
    QAccessible::installUpdateHandler(Record);
  }
  ~TAccessibleEvents() {
    QAccessible::installUpdateHandler(nullptr);
    Platform()->setActive(false);
  }
  static QPlatformAccessibility *Platform() {
    return QGuiApplicationPrivate::platformIntegration()->accessibility();
  }
  static void Record(QAccessibleEvent *event) {
    QAccessibleInterface *iface = event->accessibleInterface();
    seen.append({event->type(), iface ? iface->text(QAccessible::Name) : QString()});
  }
  static int Count(QAccessible::Event type, const QString &name) {
    return int(seen.count({type, name}));
  }
  static QString LastFocus() {
    for (auto e = seen.crbegin(); e != seen.crend(); ++e)
      if (e->first == QAccessible::Focus)
        return e->second;
    return {};
  }
};

} // namespace

void TestWindow::init() {
  m_fakes = std::make_unique<TFakeServices>();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestWindow::cleanup() {
  m_form.reset();
  m_fakes.reset();
}

void TestWindow::startState() {
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0"));
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetGrid);
  QCOMPARE(m_form->LabelTitle->text(), QString());
  QCOMPARE(m_form->LabelTime->text(), QString("Time  00:00:00"));
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QVERIFY(!m_form->Game().TimerRunning());
  QCOMPARE(m_form->Timer->interval(), 1000);
  QVERIFY(m_form->Game().Board() == TGrid());
  QCOMPARE(m_form->Game().History().HistoryPos(), 0);
  for (const char *name : {"MenuSavePuzzle", "MenuLoadPuzzle", "MenuDeletePuzzle", "MenuSaveAs"})
    QVERIFY2(!Action(name)->isEnabled(), name);
  for (const char *name :
       {"ToolButtonSavePuzzle", "ToolButtonLoadPuzzle", "ToolButtonDeletePuzzle"})
    QVERIFY2(!m_form->findChild<QToolButton *>(name)->isEnabled(), name);
  QVERIFY(Action("MenuNewDatabase")->isEnabled() && Action("MenuOpenDatabase")->isEnabled());
  QCOMPARE(m_form->StringGrid->Col(), 0);
  QCOMPARE(m_form->StringGrid->Row(), 0);
}

void TestWindow::geometry() {
  m_form->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
  QCOMPARE(m_form->centralWidget()->size(), QSize(485, 390));
  QCOMPARE(m_form->minimumSize(), m_form->maximumSize());
  QVERIFY(!(m_form->windowFlags() & Qt::WindowMaximizeButtonHint));
  QCOMPARE(m_form->ToolBar->geometry(), QRect(0, 0, 485, 25));
  QCOMPARE(m_form->PageControl->geometry(), QRect(0, 25, 485, 365));
  QCOMPARE(m_form->TabSheetGrid->size(), QSize(458, 357));
  QCOMPARE(m_form->TabSheetDatabase->size(), QSize(458, 357));
  QCOMPARE(m_form->Panel2->geometry(), QRect(0, 0, 458, 357));

  const struct {
    QWidget *widget;
    QRect rect;
  } table[] = {
      {m_form->Panel3, {10, 20, 330, 330}},          {m_form->StringGrid, {3, 3, 324, 324}},
      {m_form->EditNumber, {350, 20, 100, 21}},      {m_form->Buttons[1], {350, 45, 30, 30}},
      {m_form->Buttons[2], {385, 45, 30, 30}},       {m_form->Buttons[3], {420, 45, 30, 30}},
      {m_form->Buttons[4], {350, 80, 30, 30}},       {m_form->Buttons[6], {420, 80, 30, 30}},
      {m_form->Buttons[8], {385, 115, 30, 30}},      {m_form->ButtonC, {350, 150, 100, 25}},
      {m_form->ButtonGenerate, {350, 195, 100, 25}}, {m_form->ButtonSolve, {350, 225, 100, 25}},
      {m_form->ButtonReset, {350, 255, 100, 25}},    {m_form->Panel4, {350, 300, 100, 50}},
  };
  for (const auto &row : table)
    QCOMPARE(row.widget->geometry(), row.rect);
  QCOMPARE(m_form->StringGrid->parentWidget(), m_form->Panel3);
  QCOMPARE(m_form->LabelTitle->pos(), QPoint(10, 5));
  QCOMPARE(m_form->LabelTime->pos(), QPoint(10, 10));
  QCOMPARE(m_form->LabelMode->pos(), QPoint(10, 30));
  QCOMPARE(m_form->LabelTime->parentWidget(), m_form->Panel4);
  QCOMPARE(m_form->ButtonC->text(), QString("Clear"));
  QCOMPARE(m_form->ButtonGenerate->text(), QString("Generate Puzzle"));
  QCOMPARE(m_form->ButtonSolve->text(), QString("Solve Puzzle"));
  QCOMPARE(m_form->ButtonReset->text(), QString("Reset/Start Timer"));
  QCOMPARE(m_form->DBGrid->columnWidth(0), 30);
  QCOMPARE(m_form->DBGrid->columnWidth(1), 320);
}

void TestWindow::tabOrder() {
  QStringList order;
  QWidget *widget = m_form->StringGrid;
  for (int i = 0; i < 15; ++i) {
    order << widget->objectName();
    widget = widget->nextInFocusChain();
    while (widget->focusPolicy() == Qt::NoFocus || !widget->isWidgetType() ||
           widget->parentWidget() == nullptr || widget->window() != m_form.get() ||
           widget->objectName().isEmpty())
      widget = widget->nextInFocusChain();
  }
  const QStringList expected = {"StringGrid",     "EditNumber",  "Button1",    "Button2",
                                "Button3",        "Button6",     "Button5",    "Button4",
                                "Button7",        "Button8",     "Button9",    "ButtonC",
                                "ButtonGenerate", "ButtonSolve", "ButtonReset"};
  QCOMPARE(order, expected);
}

void TestWindow::menus_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QStringList>("items"); // caption|shortcut|icon?, "-" a separator
  QTest::newRow("file") << "MenuFile"
                        << "&File"
                        << QStringList{"New Database...||i",
                                       "Open Database...||i",
                                       "Save Database As...||",
                                       "-",
                                       "Import Puzzles...||",
                                       "Export Puzzles...||",
                                       "Export Puzzles with Ratings...||",
                                       "-",
                                       "Print Sudoku Grid||i",
                                       "-",
                                       "Exit|Ctrl+X|"};
  QTest::newRow("grid") << "MenuGrid"
                        << "&Sudoku Grid"
                        << QStringList{"Generate Puzzle...||i",
                                       "-",
                                       "New Puzzle||i",
                                       "Design Puzzle||i",
                                       "Edit/Lock Puzzle||i",
                                       "Save Puzzle||i",
                                       "Load Puzzle||i",
                                       "Delete Puzzle||i",
                                       "-",
                                       "Undo|Ctrl+Z|i",
                                       "Redo|Ctrl+Alt+Z|i",
                                       "-",
                                       "Solve||i",
                                       "Fill 1-9||i",
                                       "Reset/Start Timer||i",
                                       "Clear Grid||",
                                       "Show Errors||",
                                       "Count Solutions||",
                                       "Hint|Ctrl+H|",
                                       "Rate Puzzle||",
                                       "Generate Graded Puzzle...||",
                                       "-",
                                       "Copy to Clipboard|Ctrl+C|i",
                                       "Paste Puzzle|Ctrl+V|"};
  QTest::newRow("help") << "MenuHelp"
                        << "&Help"
                        << QStringList{"Help||i", "-", "Ninegrove Home Page||", "-", "About||"};
}

void TestWindow::menus() {
  QFETCH(QString, menu);
  QFETCH(QString, caption);
  QFETCH(QStringList, items);
  auto *m = m_form->findChild<QMenu *>(menu);
  QVERIFY(m);
  QCOMPARE(m->title(), caption);
  QStringList found;
  for (QAction *action : m->actions()) {
    QVERIFY(!action->isCheckable());
    found << (action->isSeparator() ? QString("-")
                                    : QString("%1|%2|%3")
                                          .arg(action->text(), action->shortcut().toString(),
                                               action->icon().isNull() ? "" : "i"));
  }
  QCOMPARE(found, items);
  const QList<QAction *> top = m_form->menuBar()->actions();
  QCOMPARE(top.size(), 3);
}

void TestWindow::toolBar() {
  const struct {
    int left;
    const char *button, *tooltip, *action;
  } table[] = {{0, "ToolButtonNewDatabase", "New Database", "MenuNewDatabase"},
               {23, "ToolButtonOpenDatabase", "Open Database", "MenuOpenDatabase"},
               {54, "ToolButtonPrint", "Print Sudoku Grid", "MenuPrintGrid"},
               {85, "ToolButtonGenerate", "Generate Puzzle", "MenuGenerate"},
               {116, "ToolButtonNewPuzzle", "New Puzzle", "MenuNewPuzzle"},
               {139, "ToolButtonDesignPuzzle", "Design Puzzle", "MenuDesignPuzzle"},
               {162, "ToolButtonEditLock", "Edit/Lock Puzzle", "MenuEditPuzzle"},
               {185, "ToolButtonSavePuzzle", "Save Puzzle", "MenuSavePuzzle"},
               {208, "ToolButtonLoadPuzzle", "Load Puzzle", "MenuLoadPuzzle"},
               {231, "ToolButtonDeletePuzzle", "Delete Puzzle", "MenuDeletePuzzle"},
               {262, "ToolButtonUndo", "Undo", "MenuUndo"},
               {285, "ToolButtonRedo", "Redo", "MenuRedo"},
               {316, "ToolButtonSolve", "Solve Puzzle", "MenuSolve"},
               {339, "ToolButtonFill19", "Fill 1-9", "MenuFill191"},
               {362, "ToolButtonReset", "Reset/Start Timer", "MenuReset"},
               {393, "ToolButtonClipboard", "Copy to Clipboard", "MenuClipboard"},
               {424, "ToolButtonHelp", "Help", "MenuContents"}};
  const auto buttons = m_form->ToolBar->findChildren<QToolButton *>();
  QCOMPARE(buttons.size(), int(std::size(table)));
  for (const auto &row : table) {
    auto *button = m_form->ToolBar->findChild<QToolButton *>(row.button);
    QVERIFY2(button, row.button);
    QCOMPARE(button->x(), row.left);
    QCOMPARE(button->width(), 23);
    QCOMPARE(button->toolTip(), QString(row.tooltip));
    QCOMPARE(button->defaultAction(), Action(row.action));
    QVERIFY(!button->icon().isNull());
    QVERIFY(!button->icon().pixmap(16, 16).isNull());
  }
}

void TestWindow::sharedCommands() {
  // Menu item, tool button and push button run the same command.
  m_form->Game().Board() = BoardFromLine(Solved);
  m_form->Game().Board()[4][4].Text.clear();
  QSignalSpy spy(Action("MenuSolve"), &QAction::triggered);
  m_form->ButtonSolve->click();
  m_form->findChild<QToolButton *>("ToolButtonSolve")->click();
  Action("MenuSolve")->trigger();
  QCOMPARE(spy.count(), 3);
  QCOMPARE(m_form->Game().Board()[4][4].Text, std::string("5"));

  QSignalSpy reset(Action("MenuReset"), &QAction::triggered);
  m_form->ButtonReset->click();
  QCOMPARE(reset.count(), 1);
  QVERIFY(m_form->Game().TimerRunning());
}

void TestWindow::cellGrounds() {
  m_form->Game().Board()[2][1].Error = true;
  m_form->ShowBoard();
  QImage image = GrabGrid();
  QCOMPARE(image.pixelColor(CellPoint(0, 0, 17, 30)), QColor(166, 202, 240));
  QCOMPARE(image.pixelColor(CellPoint(2, 1, 17, 30)), QColor(255, 128, 128));
  QCOMPARE(image.pixelColor(CellPoint(5, 5, 17, 30)), QColor(255, 255, 255));
  QCOMPARE(image.pixelColor(35, 10), QColor(192, 192, 192)); // a thin line

  // The selection moves; an error mark wins over it.
  m_form->StringGrid->SetCurrent(2, 1);
  image = GrabGrid();
  QCOMPARE(image.pixelColor(CellPoint(0, 0, 17, 30)), QColor(255, 255, 255));
  QCOMPARE(image.pixelColor(CellPoint(2, 1, 17, 30)), QColor(255, 128, 128));
  m_form->StringGrid->SetCurrent(3, 1);
  image = GrabGrid();
  QCOMPARE(image.pixelColor(CellPoint(3, 1, 17, 30)), QColor(166, 202, 240));
}

void TestWindow::typeColourAndSize() {
  m_form->StringGrid->SetCurrent(8, 8);
  m_form->Game().Board()[1][1] = {true, "8", false};
  m_form->Game().Board()[4][1] = {false, "8", false};
  m_form->Game().Board()[7][1] = {false, "1357", false};
  m_form->Game().Board()[1][5] = {true, "12", false}; // a given is large whatever its text
  m_form->ShowBoard();
  const QImage image = GrabGrid();

  QVERIFY(CountInCell(image, 1, 1, IsBlackInk) > 20);
  QCOMPARE(CountInCell(image, 1, 1, IsBlueInk), 0);
  QVERIFY(CountInCell(image, 4, 1, IsBlueInk) > 20);
  QCOMPARE(CountInCell(image, 4, 1, IsBlackInk), 0);

  const auto given = InkRows(image, 1, 1, IsBlackInk);
  const auto entered = InkRows(image, 4, 1, IsBlueInk);
  const auto list = InkRows(image, 7, 1, IsBlueInk);
  QVERIFY2(given.second - given.first >= 18, "a digit is drawn at 24 points");
  QCOMPARE(entered.second - entered.first, given.second - given.first);
  QVERIFY2(list.second - list.first <= 10, "candidates are drawn at 8 points");
  QVERIFY2(list.first <= 4 && given.first <= 8, "texts stand at the top of the cell");
  const auto fixedList = InkRows(image, 1, 5, IsBlackInk);
  QVERIFY(fixedList.second - fixedList.first >= 18);
  QCOMPARE(CountInCell(image, 0, 3, [](QColor c) { return c != Qt::white; }), 0);
}

void TestWindow::boxLinesSurviveCellRepaint() {
  QImage image(324, 324, QImage::Format_RGB32);
  image.fill(Qt::green);
  m_form->StringGrid->render(&image);
  auto checkLines = [&](const char *when) {
    for (int at : {106, 107, 108, 214, 215, 216})
      for (int along : {0, 50, 107, 200, 323}) {
        QVERIFY2(image.pixelColor(at, along) == Qt::black, when);
        QVERIFY2(image.pixelColor(along, at) == Qt::black, when);
      }
    QVERIFY(image.pixelColor(105, 50) != Qt::black && image.pixelColor(109, 50) != Qt::black);
  };
  checkLines("whole grid");
  // Repaint only the cells on either side of the lines, as a change of one
  // cell does: the lines must come out whole and nothing may leave the cell.
  for (auto [col, row] : {std::pair{2, 2}, {3, 3}, {5, 6}, {6, 5}, {2, 4}}) {
    QImage marker(324, 324, QImage::Format_RGB32);
    marker.fill(Qt::green);
    const QRect cell = TStringGrid::CellRect(col, row);
    m_form->StringGrid->render(&marker, cell.topLeft(), QRegion(cell));
    m_form->StringGrid->render(&image, cell.topLeft(), QRegion(cell));
    for (int x = 0; x < 324; ++x)
      for (int y = 0; y < 324; ++y)
        if (!cell.contains(x, y))
          QVERIFY2(marker.pixelColor(x, y) == Qt::green,
                   qPrintable(QString("%1,%2 beside %3,%4").arg(x).arg(y).arg(col).arg(row)));
    checkLines("after one cell");
  }
}

void TestWindow::textStaysInItsCell() {
  m_form->StringGrid->SetCurrent(0, 8);
  m_form->Game().Board()[4][4].Text = "123456789";
  m_form->ShowBoard();
  const QImage image = GrabGrid();
  QVERIFY(CountInCell(image, 4, 4, IsBlueInk) > 10);
  for (int col : {3, 5})
    QCOMPARE(CountInCell(image, col, 4, [](QColor c) { return c != Qt::white; }), 0);
  // The list is centred and cut on both sides: ink reaches both edges.
  bool left = false, right = false;
  for (int y = 4 * 36; y < 4 * 36 + 12; ++y) {
    left |=
        IsBlueInk(image.pixelColor(4 * 36 + 1, y)) || IsBlueInk(image.pixelColor(4 * 36 + 2, y));
    right |=
        IsBlueInk(image.pixelColor(4 * 36 + 34, y)) || IsBlueInk(image.pixelColor(4 * 36 + 33, y));
  }
  QVERIFY(left && right);
}

void TestWindow::timerLabel_data() {
  QTest::addColumn<qint64>("start");
  QTest::addColumn<qint64>("elapsed");
  QTest::addColumn<QString>("label");
  QTest::addColumn<int>("next");
  const qint64 noon = 1'765'195'200'000; // a day's midday, UTC
  QTest::newRow("9 seconds") << noon << qint64(9'000) << "Time  00:00:09" << 1005;
  QTest::newRow("10 minutes, a late tick") << noon << qint64(600'400) << "Time  00:10:00" << 605;
}

void TestWindow::timerLabel() {
  QFETCH(qint64, start);
  QFETCH(qint64, elapsed);
  QFETCH(QString, label);
  QFETCH(int, next);
  m_fakes->clock.SetStep(0);
  m_fakes->clock.Set(start);
  m_form->MenuResetClick();
  QVERIFY(m_form->Timer->isActive());
  // Each tick is timed to land just past a whole second, never early.
  QCOMPARE(m_form->Timer->timerType(), Qt::PreciseTimer);
  QCOMPARE(m_form->Timer->interval(), 1005);
  QCOMPARE(m_form->LabelTime->text(), QString("Time  00:00:00"));
  m_fakes->clock.Set(start + elapsed);
  m_form->TimerTimer();
  QCOMPARE(m_form->LabelTime->text(), label);
  QCOMPARE(m_form->Timer->interval(), next);
  QVERIFY(m_form->Timer->isActive());
}

void TestWindow::resetKeepsGivens() {
  m_form->Game().Board()[0][0] = {true, "5", true};
  m_form->Game().Board()[1][0] = {false, "7", true};
  m_form->Game().Board()[2][0] = {false, "123", false};
  m_form->ShowBoard();
  m_form->ButtonReset->click();
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("5"));
  QVERIFY(m_form->Game().Board()[0][0].Fixed && !m_form->Game().Board()[0][0].Error);
  QVERIFY(m_form->Game().Board()[1][0].Text.empty() && !m_form->Game().Board()[1][0].Error);
  QVERIFY(m_form->Game().Board()[2][0].Text.empty());
  QCOMPARE(m_form->StringGrid->Cell(1, 0), QString());
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
}

void TestWindow::shortcutsWhileEditing() {
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->EditNumber->setFocus();
  m_form->EditNumber->setText("12");
  m_form->EditNumber->selectAll();
  QSignalSpy copy(Action("MenuClipboard"), &QAction::triggered);
  QSignalSpy undo(Action("MenuUndo"), &QAction::triggered);
  QSignalSpy redo(Action("MenuRedo"), &QAction::triggered);
  QTest::keyClick(m_form->EditNumber, Qt::Key_C, Qt::ControlModifier);
  QTest::keyClick(m_form->EditNumber, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(m_form->EditNumber, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
  QCOMPARE(copy.count(), 1);
  QCOMPARE(undo.count(), 1);
  QCOMPARE(redo.count(), 1);
  QCOMPARE(m_form->EditNumber->text(), QString("12"));
  QTest::keyClick(m_form->EditNumber, Qt::Key_X, Qt::ControlModifier);
  QCOMPARE(m_form->EditNumber->text(), QString("12")); // not cut: the program ended
  QVERIFY(!m_form->isVisible());
}

void TestWindow::solve() {
  const auto line = ReadPuzzleFile(NINEGROVE_TEST_DATA "/easy50.txt").front();
  m_form->Game().Board() = BoardFromLine(line);
  for (auto &column : m_form->Game().Board())
    for (TSquare &cell : column)
      cell.Fixed = !cell.Text.empty();
  m_form->Game().Board()[0][0].Error = true;
  m_form->MenuEditPuzzleClick(); // Edit Mode
  m_form->MenuSolveClick();
  QVERIFY(IsValidSolution(m_form->Game().Board()) && KeepsGivens(m_form->Game().Board(), line));
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QVERIFY(!m_form->Game().Board()[0][0].Error);
  QCOMPARE(m_fakes->cursor.busyCount, 1);
  QCOMPARE(m_fakes->cursor.depth, 0);
  QVERIFY(m_fakes->messages.shown.empty());
  QCOMPARE(m_form->Game().History().HistoryPos(), 0);
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      QCOMPARE(m_form->StringGrid->Cell(c, r),
               QString::fromStdString(m_form->Game().Board()[c][r].Text));
      QCOMPARE(m_form->Game().Board()[c][r].Fixed, line[r * 9 + c] != '.');
    }

  // Solving a cleared board gives a complete grid.
  m_form->MenuClearClick();
  m_form->MenuSolveClick();
  QVERIFY(IsValidSolution(m_form->Game().Board()));
}

void TestWindow::solveUnsolvable() {
  // Row 0 holds 1 to 8 and column 0 a 9 further down: (0, 0) has no digit left.
  TGrid board;
  for (int c = 1; c < 9; ++c)
    board[c][0] = {true, std::to_string(c), false};
  board[0][6] = {true, "9", false};
  m_form->Game().Board() = board;
  m_form->MenuSolveClick();
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"Puzzle is unsolvable"});
  QCOMPARE(m_fakes->messages.shown[0].caption, QString("Warning"));
  QCOMPARE(int(m_fakes->messages.shown[0].buttons), int(QMessageBox::Ok));
  QCOMPARE(m_fakes->messages.shown[0].icon, QMessageBox::Warning);
  QCOMPARE(m_fakes->cursor.depth, 0);
  for (int c = 1; c < 9; ++c)
    QCOMPARE(m_form->Game().Board()[c][0].Text, std::to_string(c));
}

void TestWindow::fill19() {
  m_form->MenuEditPuzzleClick();
  m_form->Game().Board()[3][3].Text = "91";
  m_form->Game().Board()[8][0] = {true, "4", true};
  m_form->MenuFill19Click();
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("12356789"));
  QCOMPARE(m_form->Game().Board()[3][3].Text, std::string("123456789"));
  QCOMPARE(m_form->Game().Board()[8][0].Text, std::string("4"));
  QVERIFY(!m_form->Game().Board()[8][0].Error);
  QCOMPARE(m_form->StringGrid->Cell(3, 3), QString("123456789"));
  QCOMPARE(m_fakes->cursor.busyCount, 0);

  m_form->MenuClearClick();
  m_form->MenuFill19Click();
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      QCOMPARE(m_form->StringGrid->Cell(c, r), QString("123456789"));
}

void TestWindow::showErrors() {
  m_form->Game().Board()[0][0] = {true, "5", false};
  m_form->Game().Board()[1][1] = {false, "5", false};
  m_form->Game().Board()[4][0] = {false, "5", false};
  m_form->Game().Board()[8][8] = {false, "58", false};
  m_form->MenuShowErrorsClick();
  QVERIFY(!m_form->Game().Board()[0][0].Error);
  QVERIFY(m_form->Game().Board()[1][1].Error && m_form->Game().Board()[4][0].Error);
  QVERIFY(!m_form->Game().Board()[8][8].Error);
  QCOMPARE(m_fakes->cursor.busyCount, 1);
  QCOMPARE(m_fakes->cursor.depth, 0);
  QVERIFY(m_fakes->messages.shown.empty());
  QCOMPARE(GrabGrid().pixelColor(CellPoint(4, 0, 17, 30)), QColor(255, 128, 128));
}

void TestWindow::undoRedoBeforeAnyEntry() {
  m_form->Game().Board()[2][2] = {false, "7", false};
  m_form->ShowBoard();
  const TGrid before = m_form->Game().Board();
  m_form->MenuUndoClick();
  m_form->MenuRedoClick();
  QVERIFY(m_form->Game().Board() == before);
  QCOMPARE(m_form->StringGrid->Cell(2, 2), QString("7"));
}

void TestWindow::helpFile() {
  QTemporaryDir folder;
  m_fakes->services.programFolder = folder.path();
  const QString elsewhere = QDir::currentPath();
  m_form->MenuContentsClick();
  QVERIFY(m_fakes->shell.opened.empty());
  // With no help at all the program says so: no desktop would.
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QVERIFY(m_fakes->messages.shown[0].text.startsWith("The help is not installed"));

  QFile help(folder.filePath("nghelp.chm"));
  QVERIFY(help.open(QIODevice::WriteOnly));
  help.close();
  QDir::setCurrent(QDir::tempPath());
  m_form->findChild<QToolButton *>("ToolButtonHelp")->click();
  QDir::setCurrent(elsewhere);
  QCOMPARE(m_fakes->shell.opened.size(), std::size_t(1));
  QCOMPARE(m_fakes->shell.opened[0], QUrl::fromLocalFile(folder.filePath("nghelp.chm")));
}

void TestWindow::builtHelpFile() {
  // The help file the build made beside the program is the one Help opens.
  const QString built = QDir(NINEGROVE_PROGRAM_DIR).filePath("nghelp.chm");
  if (!QFileInfo::exists(built))
    QSKIP("the build made no help file (chmcmd missing)");
  m_fakes->services.programFolder = NINEGROVE_PROGRAM_DIR;
  m_form->findChild<QAction *>("MenuContents")->trigger();
  QCOMPARE(m_fakes->shell.opened.size(), std::size_t(1));
  QCOMPARE(m_fakes->shell.opened[0], QUrl::fromLocalFile(built));
}

void TestWindow::homePageAndAbout() {
  Action("MenuHomepage")->trigger();
  QCOMPARE(m_fakes->shell.opened.size(), std::size_t(1));
  QCOMPARE(m_fakes->shell.opened[0].scheme(), QString("https"));
  QVERIFY(m_fakes->shell.opened[0].host().endsWith("example.org"));

  QList<QDialog *> seen;
  auto look = [&](QDialog &dialog) {
    auto &about = static_cast<TFormAbout &>(dialog);
    seen << &dialog;
    [&] {
      QCOMPARE(about.windowTitle(), QString("About Ninegrove"));
      QCOMPARE(about.size(), QSize(440, 210));
      QCOMPARE(about.Image->geometry(), QRect(5, 5, 200, 200));
      QCOMPARE(about.Label1->text(), QString("Ninegrove"));
      QCOMPARE(about.Label1->pos(), QPoint(215, 5));
      QCOMPARE(about.Label1->font().pixelSize(), 29);
      QVERIFY(about.Label1->font().bold());
      QCOMPARE(about.Label2->text(), QString("Version 1.00"));
      QCOMPARE(about.Label2->pos(), QPoint(215, 45));
      QCOMPARE(about.LabelCopyR1->pos(), QPoint(215, 75));
      QCOMPARE(about.Label4->text(), QString("WWW:"));
      QCOMPARE(about.LabelHLink->pos(), QPoint(255, 165));
      QCOMPARE(about.Label5->text(), QString("E-mail:"));
      QCOMPARE(about.LabelEmail->pos(), QPoint(255, 184));
      QVERIFY(about.LabelHLink->font().underline());
      QCOMPARE(about.LabelHLink->font().pixelSize(), 13);
      QVERIFY(!about.LabelHLink->toolTip().isEmpty() && !about.LabelEmail->toolTip().isEmpty());
      QVERIFY(!about.Image->pixmap().isNull());
      auto send = [](QWidget *to, QEvent::Type type, Qt::MouseButton button) {
        QMouseEvent event(type, QPointF(3, 3), to->mapToGlobal(QPointF(3, 3)), button, button,
                          Qt::NoModifier);
        QApplication::sendEvent(to, &event);
      };
      send(about.LabelHLink, QEvent::MouseMove, Qt::NoButton);
      QCOMPARE(about.cursor().shape(), Qt::PointingHandCursor);
      send(about.Label2, QEvent::MouseMove, Qt::NoButton); // other labels leave it
      QCOMPARE(about.cursor().shape(), Qt::PointingHandCursor);
      send(&about, QEvent::MouseMove, Qt::NoButton);
      QCOMPARE(about.cursor().shape(), Qt::ArrowCursor);
      send(about.LabelEmail, QEvent::MouseButtonPress, Qt::LeftButton);
      send(about.LabelEmail, QEvent::MouseButtonRelease, Qt::LeftButton);
    }();
    return int(QDialog::Accepted);
  };
  m_fakes->dialogs.scripts = {look, look};
  Action("MenuAbout")->trigger();
  Action("MenuAbout")->trigger();
  QCOMPARE(m_fakes->dialogs.shown, QStringList({"FormAbout", "FormAbout"}));
  QCOMPARE(seen.size(), 2);
  QCOMPARE(m_fakes->shell.opened.size(), std::size_t(3));
  QCOMPARE(m_fakes->shell.opened[1].toString(), QString("mailto:info@ninegrove.example.org"));
}

void TestWindow::aboutPictureAtDeviceRatio() {
  // Run again by CTest with QT_SCALE_FACTOR=2: the picture has a device pixel
  // for every screen pixel, so it stays sharp.
  TFormAbout about(m_fakes->services, m_form.get());
  const qreal ratio = about.devicePixelRatioF();
  const QPixmap picture = about.Image->pixmap();
  QCOMPARE(picture.devicePixelRatio(), ratio);
  QCOMPARE(picture.size(), QSize(200, 200) * ratio);
  QCOMPARE(picture.deviceIndependentSize(), QSizeF(200, 200));
}

void TestWindow::accessibleCells_data() {
  QTest::addColumn<int>("col");
  QTest::addColumn<int>("row");
  QTest::addColumn<TSquare>("square");
  QTest::addColumn<QString>("name");
  QTest::newRow("given") << 4 << 2 << TSquare{true, "7", false} << "row 3, column 5, 7, given";
  QTest::newRow("candidates") << 1 << 0 << TSquare{false, "159", false}
                              << "row 1, column 2, candidates 1 5 9";
  QTest::newRow("empty") << 8 << 8 << TSquare{} << "row 9, column 9, empty";
  QTest::newRow("entered") << 0 << 3 << TSquare{false, "6", false} << "row 4, column 1, 6";
  QTest::newRow("error") << 2 << 5 << TSquare{false, "5", true} << "row 6, column 3, 5, error";
}

void TestWindow::accessibleCells() {
  QFETCH(int, col);
  QFETCH(int, row);
  QFETCH(TSquare, square);
  QFETCH(QString, name);
  m_form->Game().Board()[col][row] = square;
  m_form->ShowBoard();
  QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_form->StringGrid);
  QVERIFY(grid && grid->tableInterface());
  QAccessibleInterface *cell = grid->tableInterface()->cellAt(row, col);
  QCOMPARE(cell->text(QAccessible::Name), name);
  QCOMPARE(cell->role(), QAccessible::Cell);
}

void TestWindow::accessibleTable() {
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->StringGrid->SetCurrent(5, 3);
  QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(m_form->StringGrid);
  QAccessibleTableInterface *table = grid->tableInterface();
  QCOMPARE(grid->role(), QAccessible::Table);
  QCOMPARE(grid->text(QAccessible::Name), QString("Sudoku grid"));
  QCOMPARE(table->rowCount() * table->columnCount(), 81);
  QCOMPARE(grid->childCount(), 81);
  for (int index = 0; index < 81; ++index) {
    QAccessibleInterface *cell = table->cellAt(index / 9, index % 9); // row by row
    QCOMPARE(grid->child(index), cell);
    QCOMPARE(grid->indexOfChild(cell), index);
    QCOMPARE(cell->state().selected, index == 3 * 9 + 5);
    QVERIFY(!cell->state().focused);
  }
  const QPoint inCell = table->cellAt(6, 2)->rect().center();
  QCOMPARE(grid->childAt(inCell.x(), inCell.y()), table->cellAt(6, 2));
  m_form->StringGrid->setFocus();
  QVERIFY(table->cellAt(3, 5)->state().focused);
  QCOMPARE(grid->focusChild(), table->cellAt(3, 5));
}

void TestWindow::accessibleEvents() {
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->Game().Board()[0][0] = m_form->Game().Board()[0][1] = {false, "4", false};
  m_form->ShowBoard();
  m_form->MenuShowErrorsClick();
  TAccessibleEvents events;
  // A click focuses the grid, then its new current cell: the cell is said last.
  QTest::mouseClick(m_form->StringGrid, Qt::LeftButton, {}, TStringGrid::CellRect(2, 2).center());
  QTRY_COMPARE(events.LastFocus(), QString("row 3, column 3, empty"));
  QCOMPARE(events.Count(QAccessible::Focus, "row 3, column 3, empty"), 1);
  QCOMPARE(events.Count(QAccessible::SelectionRemove, "row 1, column 1, 4, error"), 1);

  // An entry: the cell says its new content, and the cells whose marks went too.
  events.seen.clear();
  QTest::keyClick(m_form->StringGrid, Qt::Key_5);
  QCOMPARE(events.Count(QAccessible::NameChanged, "row 3, column 3, 5"), 1);
  QCOMPARE(events.Count(QAccessible::NameChanged, "row 1, column 1, 4"), 1);
  QCOMPARE(events.Count(QAccessible::NameChanged, "row 2, column 1, 4"), 1);
  QCOMPARE(events.Count(QAccessible::TableModelChanged, "Sudoku grid"), 3);
  QCOMPARE(std::count_if(events.seen.begin(), events.seen.end(),
                         [](auto &e) { return e.first == QAccessible::NameChanged; }),
           3); // the other cells stay quiet

  QTest::keyClick(m_form->StringGrid, Qt::Key_Right);
  QCOMPARE(events.Count(QAccessible::SelectionAdd, "row 3, column 4, empty"), 1);
  QCOMPARE(events.LastFocus(), QString("row 3, column 4, empty"));
  // Back from the entry box, the current cell is said after the grid.
  m_form->EditNumber->setFocus();
  events.seen.clear();
  m_form->StringGrid->setFocus(Qt::BacktabFocusReason);
  QTRY_COMPARE(events.LastFocus(), QString("row 3, column 4, empty"));
  QCOMPARE(events.Count(QAccessible::Focus, "Sudoku grid"), 1);
}

void TestWindow::accessibleNames() {
  // Every control says what it is; a tool button says its tooltip.
  int controls = 0;
  for (QWidget *widget : m_form->findChildren<QWidget *>()) {
    if (widget->objectName().isEmpty() || widget->objectName().startsWith("qt_") ||
        (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton *>(widget)))
      continue;
    ++controls;
    QVERIFY2(!AccessibleName(widget).isEmpty(), qPrintable(widget->objectName()));
  }
  // Tool and push buttons, grid and box, DBGrid, the tab bar's two scroll buttons.
  QCOMPARE(controls, 17 + 13 + 2 + 1 + 2);
  QVERIFY(!AccessibleName(m_form->PageControl->Tabs()).isEmpty());
  for (QToolButton *button : m_form->ToolBar->findChildren<QToolButton *>())
    QCOMPARE(AccessibleName(button), button->toolTip());
  QCOMPARE(AccessibleName(m_form->findChild<QToolButton *>("ToolButtonSolve")), "Solve Puzzle");
  QCOMPARE(AccessibleName(m_form->EditNumber), QString("Cell entry"));

  // The status labels say what they show.
  m_fakes->clock.SetStep(0);
  m_form->GeneratePuzzle(3);
  m_fakes->clock.Set(m_fakes->clock.MillisecondsSinceEpoch() + 65'000);
  m_form->TimerTimer();
  QCOMPARE(AccessibleName(m_form->LabelTime), QString("Time  00:01:05"));
  QCOMPARE(AccessibleName(m_form->LabelMode), QString("Lock Mode"));
  QCOMPARE(AccessibleName(m_form->LabelTitle), QString("Puzzle Level 3"));
}

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
