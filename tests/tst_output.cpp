#include "desktopservices.h"
#include "fakeservices.h"
#include "formmain.h"
#include "output.h"
#include "puzzles.h"
#include "stringgrid.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QtTest>

class TestOutput : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void thickLines();
  void cellFrames();
  void typeOfCells();
  void longListStopsAtCellEdge();
  void titleBand();
  void errorMarksNotPrinted();
  void noPrinter();
  void desktopPrinterWithoutDefault();

  void clipboardText();
  void clipboardShortcutInEntryBox();

private:
  QImage Print();

  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

namespace {

const char *Solved =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

bool Black(const QImage &page, int x, int y) {
  return page.pixelColor(x, y) == Qt::black;
}
bool Ink(QColor c) {
  return c.lightness() < 160;
}

// Length of the run of black pixels through (x, y), horizontally or vertically.
int BlackRun(const QImage &page, int x, int y, bool horizontal) {
  if (!Black(page, x, y))
    return 0;
  int from = horizontal ? x : y, to = from;
  auto at = [&](int k) { return horizontal ? Black(page, k, y) : Black(page, x, k); };
  while (from > 0 && at(from - 1))
    --from;
  while (to < (horizontal ? page.width() : page.height()) - 1 && at(to + 1))
    ++to;
  return to - from + 1;
}

int InkIn(const QImage &page, const QRect &rect) {
  int ink = 0;
  for (int x = rect.left(); x <= rect.right(); ++x)
    for (int y = rect.top(); y <= rect.bottom(); ++y)
      ink += Ink(page.pixelColor(x, y));
  return ink;
}

// A cell's inside, clear of its frame and of any thick line beside it.
QRect Inside(int col, int row) {
  return QRect(col * 194 + 6, 400 + row * 194 + 6, 182, 182);
}

} // namespace

void TestOutput::init() {
  m_fakes = std::make_unique<TFakeServices>();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestOutput::cleanup() {
  m_form.reset();
  m_fakes.reset();
}

QImage TestOutput::Print() {
  const int before = m_fakes->printer.documents;
  m_form->findChild<QAction *>("MenuPrintGrid")->trigger();
  [&] { QCOMPARE(m_fakes->printer.documents, before + 1); }();
  return m_fakes->printer.page;
}

void TestOutput::thickLines() {
  const QImage page = Print();
  // Vertical lines, measured across at a height inside a cell row.
  for (int x : {582, 1164, 1750})
    QCOMPARE(BlackRun(page, x, 700, true), 10);
  QVERIFY(BlackRun(page, 0, 700, true) >= 5); // half of it lies off the page
  for (int y : {250, 400, 982, 1564, 2150})
    QCOMPARE(BlackRun(page, 900, y, false), 10);
  // The lines run the full length: the frame from 250 to 2150, the box lines
  // from the title band's bottom line down.
  QVERIFY(Black(page, 1750, 260) && Black(page, 1750, 2140) && Black(page, 3, 2140));
  QVERIFY(Black(page, 582, 410) && !Black(page, 582, 300));
  QVERIFY(Black(page, 1745, 982) && Black(page, 5, 1564));
  // Nothing beyond the frame.
  QCOMPARE(InkIn(page, QRect(1760, 0, 400, 2300)), 0);
  QCOMPARE(InkIn(page, QRect(0, 2160, 1800, 300)), 0);
  QCOMPARE(InkIn(page, QRect(0, 0, 1800, 240)), 0);
}

void TestOutput::cellFrames() {
  const QImage page = Print();
  // Cell (1, 1): x 194 to 387, y 594 to 787. A one-pixel frame inside it.
  QVERIFY(Black(page, 194, 650) && !Black(page, 195, 650));
  QVERIFY(Black(page, 387, 650) && !Black(page, 386, 650));
  QVERIFY(Black(page, 250, 594) && !Black(page, 250, 595));
  QVERIFY(Black(page, 250, 787) && !Black(page, 250, 786));
  // Cells end four pixels before the right frame line: the thick line covers the gap.
  QVERIFY(Black(page, 1745, 700) && Black(page, 1748, 700));
  QCOMPARE(InkIn(page, Inside(1, 1)), 0);
}

void TestOutput::typeOfCells() {
  m_form->Game().Board()[1][1] = {true, "8", false};
  m_form->Game().Board()[4][1] = {false, "8", false};
  m_form->Game().Board()[7][1] = {false, "8", false};
  m_form->Game().Board()[7][2] = {false, "13", false};
  m_form->ShowBoard();
  const QImage page = Print();
  const int given = InkIn(page, Inside(1, 1));
  const int entered = InkIn(page, Inside(4, 1));
  QCOMPARE(InkIn(page, Inside(7, 1)), entered);
  QVERIFY2(given > entered * 1.2, "a given prints bold");
  // The digit starts 60 and 30 pixels into the cell and is about 16 points high.
  int top = 9999, bottom = -1, left = 9999;
  const QRect cell = Inside(4, 1);
  for (int x = cell.left(); x <= cell.right(); ++x)
    for (int y = cell.top(); y <= cell.bottom(); ++y)
      if (Ink(page.pixelColor(x, y)))
        top = std::min(top, y), bottom = std::max(bottom, y), left = std::min(left, x);
  QVERIFY(left >= 4 * 194 + 60 && left < 4 * 194 + 80);
  QVERIFY(top >= 594 + 30 && top < 594 + 50);
  QVERIFY(bottom - top > 35 && bottom - top < 55); // a digit at 16 pt, 300 dpi
  // Candidates at 8 points: about half the height.
  top = 9999, bottom = -1;
  const QRect list = Inside(7, 2);
  for (int x = list.left(); x <= list.right(); ++x)
    for (int y = list.top(); y <= list.bottom(); ++y)
      if (Ink(page.pixelColor(x, y)))
        top = std::min(top, y), bottom = std::max(bottom, y);
  QVERIFY(bottom - top > 16 && bottom - top < 28);
}

void TestOutput::longListStopsAtCellEdge() {
  m_form->Game().Board()[4][4].Text = "123456789";
  m_form->ShowBoard();
  const QImage page = Print();
  QVERIFY(InkIn(page, Inside(4, 4)) > 0);
  QCOMPARE(InkIn(page, Inside(5, 4)), 0);
  // Ink reaches the cell's right edge.
  QVERIFY(InkIn(page, QRect(4 * 194 + 180, 400 + 4 * 194 + 30, 12, 60)) > 0);
}

void TestOutput::titleBand() {
  QImage page = Print();
  QCOMPARE(InkIn(page, QRect(10, 260, 1730, 130)), 0);
  m_form->GeneratePuzzle(5);
  page = Print();
  const int ink = InkIn(page, QRect(10, 260, 1730, 130));
  QVERIFY(ink > 0);
  QCOMPARE(InkIn(page, QRect(10, 260, 9, 130)), 0); // the text starts at x = 20
}

void TestOutput::errorMarksNotPrinted() {
  m_form->Game().Board() = BoardFromLine(Solved);
  m_form->ShowBoard();
  const QImage plain = Print();
  m_form->Game().Board()[0][0].Text = "3";
  m_form->ShowBoard();
  const QImage withConflict = Print();
  m_form->MenuShowErrorsClick();
  QVERIFY(m_form->Game().Board()[0][0].Error);
  QCOMPARE(Print(), withConflict);
  QVERIFY(plain != withConflict);
}

void TestOutput::noPrinter() {
  m_fakes->printer.failure = "No default printer is set up.";
  m_form->findChild<QAction *>("MenuPrintGrid")->trigger();
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QCOMPARE(m_fakes->messages.shown[0].kind, QString("application"));
  QCOMPARE(m_fakes->messages.shown[0].caption, QString("Ninegrove 1.0"));
  QCOMPARE(m_fakes->messages.shown[0].text, QString("No default printer is set up."));
  QCOMPARE(m_fakes->printer.documents, 0);
}

void TestOutput::desktopPrinterWithoutDefault() {
  if (!QPrinterInfo::defaultPrinter().isNull())
    QSKIP("this machine has a default printer; the test would print");
  const auto printer = MakeDesktopPrinter();
  bool painted = false;
  try {
    printer->PrintPage([&](QPainter &) { painted = true; });
    QFAIL("printing without a printer reported success");
  } catch (const std::exception &error) {
    QVERIFY(QString::fromUtf8(error.what()).contains("printer", Qt::CaseInsensitive));
  }
  QVERIFY(!painted);
}

void TestOutput::clipboardText() {
  auto *clipboard = QGuiApplication::clipboard();
  m_form->findChild<QAction *>("MenuClipboard")->trigger();
  const QString empty = clipboard->text();
  QCOMPARE(empty.size(), 90);
  QCOMPARE(empty, QString("\t\t\t\t\t\t\t\t\r\n").repeated(9));

  m_form->Game().Board() = BoardFromLine(Solved);
  m_form->Game().Board()[2][0].Text = "123";
  m_form->ShowBoard();
  m_form->findChild<QAction *>("MenuClipboard")->trigger();
  const QString text = clipboard->text();
  QVERIFY(text.endsWith("\r\n") && !text.endsWith("\r\n\r\n"));
  const QStringList lines = text.split("\r\n");
  QCOMPARE(lines.size(), 10);
  QCOMPARE(lines[0], QString("5\t3\t123\t6\t7\t8\t9\t1\t2"));
  QCOMPARE(lines[8], QString("3\t4\t5\t2\t8\t6\t1\t7\t9"));
  QCOMPARE(text.size(), 80 + 3 + 72 + 18);
}

void TestOutput::clipboardShortcutInEntryBox() {
  m_form->Game().Board()[8][8].Text = "7";
  m_form->ShowBoard();
  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->EditNumber->setFocus();
  m_form->EditNumber->setText("45");
  m_form->EditNumber->selectAll();
  QGuiApplication::clipboard()->setText("before");
  QTest::keyClick(m_form->EditNumber, Qt::Key_C, Qt::ControlModifier);
  QVERIFY(QGuiApplication::clipboard()->text().endsWith("\t7\r\n"));
}

QTEST_MAIN(TestOutput)
#include "tst_output.moc"
