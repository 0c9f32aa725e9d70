#include "desktopservices.h"
#include "engine.h"
#include "fakeservices.h"
#include "formmain.h"
#include "formselectlevel.h"
#include "puzzles.h"
#include "stringgrid.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

class TestEntry : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void selectingLoadsTheBox();
  void keyFilter();
  void keyThatChangesNothing();
  void lockedGivenWarns();
  void buttonsAppend();
  void modes();
  void newAndDesignPuzzle();
  void generate_data();
  void generate();
  void generateDialog();
  void warningAnsweredWithEnter();
  void wholeGame();
  void entryRoutes_data();
  void entryRoutes();

private:
  void Select(int col, int row);
  void Type(Qt::Key key, char ch = 0);
  int Givens() const;

  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

void TestEntry::init() {
  m_fakes = std::make_unique<TFakeServices>();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
}

void TestEntry::cleanup() {
  m_form.reset();
  m_fakes.reset();
}

void TestEntry::Select(int col, int row) {
  QTest::mouseClick(m_form->StringGrid, Qt::LeftButton, {},
                    TStringGrid::CellRect(col, row).center());
  m_form->EditNumber->setFocus();
  m_form->EditNumber->end(false);
}

void TestEntry::Type(Qt::Key key, char ch) {
  if (ch)
    QTest::keyClick(m_form->EditNumber, ch);
  else
    QTest::keyClick(m_form->EditNumber, key);
}

int TestEntry::Givens() const {
  int givens = 0;
  for (const auto &column : m_form->Game().Board())
    for (const TSquare &cell : column)
      givens += cell.Fixed;
  return givens;
}

void TestEntry::selectingLoadsTheBox() {
  m_form->Game().Board()[3][4].Text = "247";
  m_form->ShowBoard();
  Select(3, 4);
  QCOMPARE(m_form->StringGrid->Col(), 3);
  QCOMPARE(m_form->EditNumber->text(), QString("247"));
  QCOMPARE(m_form->Game().History().HistoryPos(), 0);
  // Arrow keys in the grid select as well.
  m_form->StringGrid->setFocus();
  QTest::keyClick(m_form->StringGrid, Qt::Key_Right);
  QCOMPARE(m_form->StringGrid->Col(), 4);
  QCOMPARE(m_form->EditNumber->text(), QString());
}

void TestEntry::keyFilter() {
  Select(0, 0);
  for (char ch : {'0', 'a', ' ', '-', '\r'})
    QTest::keyClick(m_form->EditNumber, ch);
  QTest::keyClick(m_form->EditNumber, Qt::Key_V, Qt::ControlModifier);
  QCOMPARE(m_form->EditNumber->text(), QString());
  for (char ch : {'1', '2', '3', '4', '5', '6', '7', '8', '9', '9'})
    QTest::keyClick(m_form->EditNumber, ch);
  QCOMPARE(m_form->EditNumber->text(), QString("123456789")); // typing stops at nine
  QTest::keyClick(m_form->EditNumber, Qt::Key_Backspace);
  QCOMPARE(m_form->EditNumber->text(), QString("12345678"));
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("12345678"));
  // Every release counted, the filtered ones too.
  // Ctrl+V is Paste Puzzle's, not typing: its releases are no entry.
  QCOMPARE(m_form->Game().History().HistoryPos(), 5 + 10 + 1);
}

void TestEntry::keyThatChangesNothing() {
  m_form->Game().Board()[1][1] = {false, "4", false};
  m_form->Game().Board()[1][2] = {false, "4", false};
  m_form->ShowBoard();
  m_form->MenuShowErrorsClick();
  QVERIFY(m_form->Game().Board()[1][1].Error);
  Select(1, 1);
  const TGrid marked = m_form->Game().Board();
  Type(Qt::Key_Left);
  QVERIFY(!m_form->Game().Board()[1][1].Error && !m_form->Game().Board()[1][2].Error);
  QCOMPARE(m_form->Game().Board()[1][1].Text, std::string("4"));
  QCOMPARE(m_form->Game().History().HistoryPos(), 1);
  // The snapshot holds the marks from before the entry.
  QVERIFY(m_form->Game().History().Slot(1) == marked);
  m_form->MenuUndoClick();
  QVERIFY(m_form->Game().Board()[1][1].Error);
}

void TestEntry::lockedGivenWarns() {
  m_form->Game().Board()[6][2] = {true, "3", false};
  m_form->ShowBoard();
  Select(6, 2);
  m_form->Buttons[5]->click();
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  const auto &box = m_fakes->messages.shown[0];
  QCOMPARE(box.kind, QString("warning"));
  QCOMPARE(box.caption, QString("Warning"));
  QCOMPARE(box.text, QString("Fixed numbers cannot be edited in Lock Mode."));
  QCOMPARE(box.icon, QMessageBox::Warning);
  QCOMPARE(m_form->Game().Board()[6][2].Text, std::string("3"));
  QVERIFY(m_form->Game().Board()[6][2].Fixed);
  QCOMPARE(m_form->StringGrid->Cell(6, 2), QString("3"));
  QCOMPARE(m_form->EditNumber->text(), QString("35"));
  // Every key in the box warns again while a given is selected.
  Type(Qt::Key_Shift);
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(2));
}

void TestEntry::buttonsAppend() {
  Select(7, 7);
  m_form->Buttons[4]->click();
  m_form->Buttons[4]->click();
  QCOMPARE(m_form->Game().Board()[7][7].Text, std::string("44"));
  QCOMPARE(m_form->EditNumber->text(), QString("44"));
  for (int i = 0; i < 9; ++i)
    m_form->Buttons[9]->click();
  QCOMPARE(m_form->EditNumber->text().size(), 11); // the buttons are not held to nine
  QCOMPARE(m_form->Game().Board()[7][7].Text.size(), std::size_t(11));
}

void TestEntry::modes() {
  // The labels show the game's mode and clock; the cursor stays as it is.
  m_form->MenuResetClick();
  QVERIFY(m_form->Timer->isActive());
  m_form->Action(TCommand::EditPuzzle)->trigger();
  QCOMPARE(m_form->LabelMode->text(), QString("Edit Mode"));
  QVERIFY(!m_form->Timer->isActive());
  QCOMPARE(m_form->LabelTime->text(), QString("Time  00:00:00"));
  m_form->Action(TCommand::EditPuzzle)->trigger();
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QCOMPARE(m_fakes->cursor.busyCount, 0);
}

void TestEntry::newAndDesignPuzzle() {
  m_form->MenuResetClick();
  m_form->Action(TCommand::NewPuzzle)->trigger();
  QCOMPARE(m_form->LabelMode->text(), QString("Edit Mode"));
  QCOMPARE(m_form->LabelTitle->text(), QString("New Puzzle"));
  QVERIFY(!m_form->Timer->isActive());
  QCOMPARE(m_fakes->cursor.busyCount, 1);

  m_form->MenuEditPuzzleClick();
  m_form->MenuResetClick();
  m_form->Action(TCommand::DesignPuzzle)->trigger();
  QCOMPARE(m_form->LabelMode->text(), QString("Edit Mode"));
  QCOMPARE(Givens(), 81);
  QCOMPARE(m_form->StringGrid->Cell(4, 4),
           QString::fromStdString(m_form->Game().Board()[4][4].Text));
  QCOMPARE(m_form->LabelTime->text(), QString("Time  00:00:00"));
  QCOMPARE(m_fakes->cursor.busyCount, 2);
  QCOMPARE(m_fakes->cursor.depth, 0);
}

void TestEntry::generate_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("level");
  QTest::newRow("level 1") << "1" << 1;
  QTest::newRow("level 7") << "7" << 7;
  QTest::newRow("level 50") << "50" << 50;
  QTest::newRow("75 becomes 50") << "75" << 50;
}

void TestEntry::generate() {
  QFETCH(QString, typed);
  QFETCH(int, level);
  m_form->MenuEditPuzzleClick();
  m_fakes->dialogs.scripts.push_back([&](QDialog &dialog) {
    auto &levels = static_cast<TFormSelectLevel &>(dialog);
    [&] {
      QCOMPARE(levels.windowTitle(), QString("Level"));
      QCOMPARE(levels.size(), QSize(205, 75));
      QCOMPARE(levels.SpinEditLevel->value(), 1);
      QCOMPARE(levels.SpinEditLevel->minimum(), 1);
      QCOMPARE(levels.SpinEditLevel->maximum(), 50);
      QCOMPARE(levels.SpinEditLevel->width(), 50);
      levels.show();
      levels.SpinEditLevel->setFocus();
      levels.SpinEditLevel->selectAll();
      QTest::keyClicks(levels.SpinEditLevel, typed);
      if (typed == "75")
        QCOMPARE(levels.SpinEditLevel->text(), QString("50"));
    }();
    QTest::mouseClick(levels.BitBtnOK, Qt::LeftButton);
    return levels.result();
  });
  m_form->Action(TCommand::Generate)->trigger();
  QVERIFY(m_fakes->dialogs.scripts.empty());
  QCOMPARE(m_form->LabelTitle->text(), QString("Puzzle Level %1").arg(level));
  QCOMPARE(m_form->LabelMode->text(), QString("Lock Mode"));
  QVERIFY(m_form->Game().TimerRunning());
  QCOMPARE(Givens(), 72 - level);
  QCOMPARE(m_fakes->cursor.depth, 0);
  QVERIFY(m_form->Timer->isActive());
}

void TestEntry::generateDialog() {
  // Cancel: nothing changes.
  m_form->Game().Board()[0][0] = {true, "9", false};
  m_form->ShowBoard();
  m_fakes->dialogs.scripts.push_back([](QDialog &dialog) {
    static_cast<TFormSelectLevel &>(dialog).BitBtnCancel->click();
    return dialog.result();
  });
  m_form->ButtonGenerate->click();
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("9"));
  QCOMPARE(m_form->LabelTitle->text(), QString());
  QVERIFY(!m_form->Game().TimerRunning());

  // A text that is no number counts as level 1; a 0 reaches the removal as 0.
  TFormSelectLevel dialog(nullptr, nullptr);
  dialog.SpinEditLevel->findChild<QLineEdit *>()->setText(QString());
  QCOMPARE(dialog.Level(), 1);
  int generated = -1;
  TFormSelectLevel zero(nullptr, [&](int level) { generated = level; });
  zero.SpinEditLevel->findChild<QLineEdit *>()->setText("0");
  zero.BitBtnOK->click();
  QCOMPARE(generated, 0);
  QCOMPARE(zero.result(), int(QDialog::Accepted));
  m_form->GeneratePuzzle(0);
  QCOMPARE(Givens(), 81);
  QCOMPARE(m_form->LabelTitle->text(), QString("Puzzle Level 0"));
}

void TestEntry::warningAnsweredWithEnter() {
  // The real message box, answered from the keyboard. The release of its
  // Enter key arrives in the entry box after the box has closed.
  const auto desktop = MakeDesktopMessages();
  TServices services = m_fakes->services;
  TServices real{*desktop,         services.files,   services.shell,
                 services.cursor,  services.dialogs, services.clock,
                 services.printer, QString(),        services.documentsFolder};
  TFormMain form(real);
  form.show();
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));
  form.Game().Board()[4][4] = {true, "6", false};
  form.ShowBoard();
  QTest::mouseClick(form.StringGrid, Qt::LeftButton, {}, TStringGrid::CellRect(4, 4).center());
  form.EditNumber->setFocus();

  int boxes = 0;
  QString caption, text;
  QTimer answer;
  answer.setInterval(20);
  connect(&answer, &QTimer::timeout, [&] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box)
      return;
    ++boxes;
    caption = box->windowTitle();
    text = box->text();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r");
    QApplication::sendEvent(box, &press);
  });
  answer.start();
  QTest::keyClick(form.EditNumber, Qt::Key_Shift);
  QCOMPARE(boxes, 1);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r");
  QApplication::sendEvent(form.EditNumber, &release);
  QTest::qWait(100);
  answer.stop();
  QCOMPARE(boxes, 1);
  QCOMPARE(caption, QString("Warning"));
  QCOMPARE(text, QString("Fixed numbers cannot be edited in Lock Mode."));
  QCOMPARE(form.Board[4][4].Text, std::string("6"));
}

void TestEntry::wholeGame() {
  m_fakes->dialogs.scripts.push_back([](QDialog &dialog) {
    auto &levels = static_cast<TFormSelectLevel &>(dialog);
    levels.SpinEditLevel->setValue(30);
    levels.BitBtnOK->click();
    return levels.result();
  });
  m_form->ButtonGenerate->click();
  QCOMPARE(Givens(), 42);
  TGrid solution = m_form->Game().Board();
  Propagate(solution);
  TSeededRandom random(1);
  QCOMPARE(int(SearchSolution(solution, random)), int(TSearchResult::Solved));
  int filled = 0;
  for (int r = 0; r < 9; ++r)
    for (int c = 0; c < 9; ++c) {
      if (m_form->Game().Board()[c][r].Fixed)
        continue;
      QVERIFY(m_form->Game().TimerRunning());
      Select(c, r);
      QTest::keyClick(m_form->EditNumber, solution[c][r].Text[0]);
      ++filled;
    }
  QCOMPARE(filled, 39);
  QVERIFY(IsValidSolution(m_form->Game().Board()));
  QVERIFY(!m_form->Game().TimerRunning());
  QVERIFY(m_fakes->messages.shown.empty());
}

namespace {

enum TRoute { BoxOnly = 1, GridOnly = 2, BothRoutes = 3 };

// The design's entry cases, typed at cell (4, 4) while (1, 1) and (1, 2) hold
// marked conflicts. Start and keys are the cell's given flag and text, and a
// key sequence.
struct TEntryCase {
  const char *name;
  int routes;
  const char *mode, *start, *keys;
  const char *text;
  bool fixed;
  int history, warnings;
  bool marksLeft;
  const char *box;
};
const TEntryCase EntryCases[] = {
    {"edit: 5 then 7", BothRoutes, "Edit Mode", "-", "5, 7", "57", false, 2, 0, false, "57"},
    {"edit: one digit gives", BothRoutes, "Edit Mode", "-", "5", "5", true, 1, 0, false, "5"},
    {"edit: backspace on a given", BothRoutes, "Edit Mode", "+8", "Backspace", "", false, 1, 0,
     false, ""},
    {"lock: given warns", BothRoutes, "Lock Mode", "+3", "5", "3", true, 1, 1, false, "35"},
    {"lock: backspace on a given", BothRoutes, "Lock Mode", "+8", "Backspace", "8", true, 1, 1,
     false, ""},
    {"lock: clear an open cell", BothRoutes, "Lock Mode", "-62", "Backspace, Backspace", "", false,
     2, 0, false, ""},
    {"lock: delete changes nothing", BothRoutes, "Lock Mode", "-4", "Del", "4", false, 1, 0, false,
     "4"},
    {"lock: delete on a given", BothRoutes, "Lock Mode", "+6", "Del", "6", true, 1, 1, false, "6"},
    {"undo wins", BothRoutes, "Lock Mode", "-", "5, Ctrl+Z", "", false, 1, 0, true, "5"},
    // The box runs an entry for any key; the grid takes only its own keys.
    {"0 key", BoxOnly, "Lock Mode", "-4", "0", "4", false, 1, 0, false, "4"},
    {"0 key", GridOnly, "Lock Mode", "-4", "0", "4", false, 0, 0, true, "4"},
};

} // namespace

void TestEntry::entryRoutes_data() {
  QTest::addColumn<bool>("onGrid");
  QTest::addColumn<QString>("mode");
  QTest::addColumn<QString>("start");
  QTest::addColumn<QKeySequence>("keys");
  QTest::addColumn<QString>("text");
  QTest::addColumn<bool>("fixed");
  QTest::addColumn<int>("history");
  QTest::addColumn<int>("warnings");
  QTest::addColumn<bool>("marksLeft");
  QTest::addColumn<QString>("box");
  for (const TEntryCase &c : EntryCases)
    for (TRoute route : {BoxOnly, GridOnly})
      if (c.routes & route)
        QTest::addRow("%s, %s", c.name, route == BoxOnly ? "in the box" : "on the grid")
            << (route == GridOnly) << c.mode << c.start << QKeySequence(c.keys) << c.text << c.fixed
            << c.history << c.warnings << c.marksLeft << c.box;
}

void TestEntry::entryRoutes() {
  QFETCH(bool, onGrid);
  QFETCH(QString, mode);
  QFETCH(QString, start);
  QFETCH(QKeySequence, keys);
  QFETCH(QString, text);
  QFETCH(bool, fixed);
  QFETCH(int, history);
  QFETCH(int, warnings);
  QFETCH(bool, marksLeft);
  QFETCH(QString, box);
  if (mode == "Edit Mode")
    m_form->MenuEditPuzzleClick();
  m_form->Game().Board()[1][1] = {false, "4", false};
  m_form->Game().Board()[1][2] = {false, "4", false};
  m_form->Game().Board()[4][4] = {start.startsWith('+'), start.mid(1).toStdString(), false};
  m_form->ShowBoard();
  m_form->MenuShowErrorsClick();
  TGrid expected = m_form->Game().Board();
  expected[4][4] = {fixed, text.toStdString(), false};
  expected[1][1].Error = expected[1][2].Error = marksLeft;

  Select(4, 4);
  QWidget *target = m_form->EditNumber;
  if (onGrid) {
    target = m_form->StringGrid;
    target->setFocus();
  }
  for (int i = 0; i < keys.count(); ++i)
    QTest::keyClick(target, keys[i].key(), keys[i].keyboardModifiers());
  QVERIFY(target->hasFocus());
  QVERIFY(m_form->Game().Board() == expected);
  QCOMPARE(m_form->StringGrid->Cell(4, 4), text);
  QCOMPARE(m_form->Game().History().HistoryPos(), history);
  QCOMPARE(m_fakes->messages.Texts(),
           QStringList(warnings, "Fixed numbers cannot be edited in Lock Mode."));
  QCOMPARE(m_form->EditNumber->text(), box);
  QCOMPARE(m_form->StringGrid->Col(), 4); // typing never moves the current cell
}

QTEST_MAIN(TestEntry)
#include "tst_entry.moc"
