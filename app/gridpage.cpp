#include "gridpage.h"

#include "board.h"
#include "fonts.h"
#include "stringgrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace {
const QColor ErrorGround(255, 128, 128);
const QColor CurrentGround(166, 202, 240);
const QColor EnteredText(0, 0, 255);
// A hint's colours, from a palette that colour-blind readers tell apart, and
// each mark has its own shape as well.
const QColor UnitGround(255, 240, 165);
const QColor PatternFrame(0, 114, 178);
const QColor MistakeFrame(213, 94, 0);
const QColor PlacementMark(0, 158, 115);

// The step's candidates as small digits where a pencil mark would stand.
void PaintMarks(QPainter &painter, const QRect &rect, const TCellHighlight &highlight) {
  const std::uint16_t all = highlight.candidates | highlight.eliminations | highlight.placements;
  if (!all)
    return;
  QFont font = WindowFont(10);
  font.setBold(true);
  painter.setFont(font);
  for (int digit = 1; digit <= 9; ++digit) {
    const std::uint16_t bit = std::uint16_t(1u << (digit - 1));
    if (!(all & bit))
      continue;
    const QRect box(rect.left() + 1 + (digit - 1) % 3 * 11, rect.top() + 11 + (digit - 1) / 3 * 8,
                    11, 9);
    const QString text = QString::number(digit);
    if (highlight.placements & bit) {
      painter.fillRect(box, PlacementMark);
      painter.setPen(Qt::white);
      painter.drawText(box, Qt::AlignCenter, text);
    } else if (highlight.eliminations & bit) {
      painter.setPen(MistakeFrame);
      painter.drawText(box, Qt::AlignCenter, text);
      painter.setPen(QPen(MistakeFrame, 1.5));
      painter.drawLine(box.bottomLeft(), box.topRight());
    } else {
      painter.setPen(PatternFrame);
      painter.drawText(box, Qt::AlignCenter, text);
      painter.drawRect(box.adjusted(0, 0, -1, -1));
    }
  }
}
} // namespace

void TEntryBox::keyPressEvent(QKeyEvent *event) {
  m_keys.insert(event->key());
  const QString text = event->text();
  if (!text.isEmpty() && event->key() != Qt::Key_Tab && event->key() != Qt::Key_Backtab) {
    const QChar ch = text.at(0);
    const bool allowed = text.size() == 1 && (ch == QChar(8) || ch == QChar(127) ||
                                              (ch >= QLatin1Char('1') && ch <= QLatin1Char('9')));
    if (!allowed || (ch.isDigit() && this->text().size() - selectedText().size() >= 9))
      return;
  }
  QLineEdit::keyPressEvent(event);
}

void TEntryBox::keyReleaseEvent(QKeyEvent *event) {
  QLineEdit::keyReleaseEvent(event);
  if (!event->isAutoRepeat() && m_keys.remove(event->key()))
    emit KeyUp();
}

TGridPage::TGridPage(QWidget *page, TGridControls &controls) : QFrame(page) {
  Panel2 = this;
  setObjectName(QStringLiteral("Panel2"));
  setGeometry(0, 0, 458, 357);
  setAutoFillBackground(true);
  QPalette ground = palette();
  ground.setColor(QPalette::Window, InactiveCaption);
  setPalette(ground);

  LabelTitle = new QLabel(this);
  LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
  LabelTitle->setTextFormat(Qt::PlainText);
  LabelTitle->move(10, 5);

  Panel3 = new QFrame(this);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setGeometry(10, 20, 330, 330);
  Panel3->setAutoFillBackground(true);
  QPalette black = Panel3->palette();
  black.setColor(QPalette::Window, Qt::black);
  Panel3->setPalette(black);

  StringGrid = new TStringGrid(Panel3);
  StringGrid->setObjectName(QStringLiteral("StringGrid"));
  StringGrid->move(3, 3);
  StringGrid->setAccessibleName(tr("Sudoku grid"));

  EditNumber = new TEntryBox(this);
  EditNumber->setObjectName(QStringLiteral("EditNumber"));
  EditNumber->setGeometry(350, 20, 100, 21);
  EditNumber->setContextMenuPolicy(Qt::NoContextMenu);
  EditNumber->setAcceptDrops(false);
  EditNumber->setDragEnabled(false);
  EditNumber->setAccessibleName(tr("Cell entry"));
  StringGrid->SetEntryTarget(EditNumber);

  QWidget *previous = EditNumber;
  QWidget::setTabOrder(StringGrid, EditNumber);
  for (int digit : {1, 2, 3, 6, 5, 4, 7, 8, 9}) {
    auto *button = new QPushButton(QString::number(digit), this);
    button->setObjectName(QStringLiteral("Button%1").arg(digit));
    button->setGeometry(350 + (digit - 1) % 3 * 35, 45 + (digit - 1) / 3 * 35, 30, 30);
    button->setAutoDefault(false);
    Buttons[digit] = button;
    QWidget::setTabOrder(previous, button);
    previous = button;
  }
  auto pushButton = [&](const char *name, const QString &caption, int top) {
    auto *button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(350, top, 100, 25);
    button->setAutoDefault(false);
    QWidget::setTabOrder(previous, button);
    previous = button;
    return button;
  };
  ButtonC = pushButton("ButtonC", tr("Clear"), 150);
  ButtonGenerate = pushButton("ButtonGenerate", tr("Generate Puzzle"), 195);
  ButtonSolve = pushButton("ButtonSolve", tr("Solve Puzzle"), 225);
  ButtonReset = pushButton("ButtonReset", tr("Reset/Start Timer"), 255);

  Panel4 = new QFrame(this);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setGeometry(350, 300, 100, 50);
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel4->setLineWidth(1);
  Panel4->setAutoFillBackground(true);
  Panel4->setPalette(QApplication::palette());
  LabelTime = new QLabel(Panel4);
  LabelTime->setObjectName(QStringLiteral("LabelTime"));
  LabelTime->move(10, 10);
  LabelMode = new QLabel(Panel4);
  LabelMode->setObjectName(QStringLiteral("LabelMode"));
  LabelMode->move(10, 30);
  controls = *this;
}

void PaintCell(QPainter &painter, const QRect &rect, const QString &text, TCellLook look,
               const TCellHighlight &highlight) {
  // An error mark wins over the selection; a hint's unit only tints white.
  painter.fillRect(rect, look.error       ? ErrorGround
                         : look.current   ? CurrentGround
                         : highlight.unit ? UnitGround
                                          : QColor(Qt::white));
  const TCellType type = CellType(look.fixed, text.toStdString(), TMedium::Screen);
  // 24 and 8 points at 96 dots per inch, whatever the screen says.
  painter.setFont(WindowFont(type.large ? 32 : 11));
  painter.setPen(type.given ? QColor(Qt::black) : EnteredText);
  const QRect textRect = rect.adjusted(1, 0, 0, 0);
  painter.setClipRect(textRect, Qt::IntersectClip);
  painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
  PaintMarks(painter, textRect, highlight);
  painter.setClipping(false);
  if (highlight.pattern || highlight.mistake) {
    const int width = highlight.mistake ? 3 : 2;
    painter.setPen(QPen(highlight.mistake ? MistakeFrame : PatternFrame, width,
                        highlight.mistake ? Qt::SolidLine : Qt::DashLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(
        rect.adjusted(width / 2 + 1, width / 2 + 1, -(width + 1) / 2 - 1, -(width + 1) / 2 - 1));
  }

  // The box lines go over every cell just painted, across the whole grid;
  // the paint event keeps them to the area being repainted.
  painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
  for (int at : {107, 215}) {
    painter.drawLine(0, at, TStringGrid::Extent, at);
    painter.drawLine(at, 0, at, TStringGrid::Extent);
  }
}
