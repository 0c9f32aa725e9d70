#include "stringgrid.h"

#include "gridaccessible.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>

#include <memory>
#include <utility>

namespace {
const QColor GridLine(192, 192, 192);

// The keys that the entry box takes.
bool IsEntryKey(const QKeyEvent &event) {
  const int key = event.key();
  return (key >= Qt::Key_1 && key <= Qt::Key_9) || key == Qt::Key_Backspace ||
         key == Qt::Key_Delete;
}
} // namespace

TStringGrid::TStringGrid(QWidget *parent) : QWidget(parent) {
  setFixedSize(Extent, Extent);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  InstallGridAccessible();
}

QRect TStringGrid::CellRect(int col, int row) {
  return QRect(col * Pitch, row * Pitch, CellSize, CellSize);
}

void TStringGrid::SetCell(int col, int row, const QString &text, TCellMarks marks) {
  const bool changed = m_cells[col][row] != text || m_marks[col][row] != marks;
  m_cells[col][row] = text;
  m_marks[col][row] = marks;
  update(CellRect(col, row));
  if (changed)
    NotifyCellChanged(*this, col, row);
}

void TStringGrid::SetCurrent(int col, int row) {
  if (col < 0 || col > 8 || row < 0 || row > 8)
    return;
  // Old and new current cell both repaint, with their focus rectangles.
  update(CellRect(m_col, m_row));
  const int oldCol = std::exchange(m_col, col);
  const int oldRow = std::exchange(m_row, row);
  update(CellRect(m_col, m_row));
  if (oldCol == col && oldRow == row)
    return;
  NotifyCurrentMoved(*this, oldCol, oldRow);
  if (hasFocus() && !m_focusPending)
    NotifyCurrentFocused(*this);
}

void TStringGrid::paintEvent(QPaintEvent *event) {
  QPainter painter(this);
  painter.fillRect(event->rect(), Qt::white);
  painter.setPen(GridLine);
  for (int k = 0; k < 9; ++k) {
    const int line = k * Pitch + CellSize;
    painter.drawLine(line, 0, line, Extent - 1);
    painter.drawLine(0, line, Extent - 1, line);
  }
  for (int col = 0; col < 9; ++col)
    for (int row = 0; row < 9; ++row) {
      const QRect rect = CellRect(col, row);
      if (!event->region().intersects(rect) || !m_drawCell)
        continue;
      painter.save();
      m_drawCell(painter, col, row, rect);
      painter.restore();
    }
  if (hasFocus()) {
    QPen dotted(Qt::black, 1, Qt::DotLine);
    painter.setPen(dotted);
    painter.setBrush(Qt::NoBrush);
    painter.setClipRegion(event->region());
    painter.drawRect(CellRect(m_col, m_row).adjusted(0, 0, -1, -1));
  }
}

void TStringGrid::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton)
    return;
  const QPoint at = event->position().toPoint();
  SetCurrent(std::min(at.x() / Pitch, 8), std::min(at.y() / Pitch, 8));
  emit Clicked();
}

void TStringGrid::keyPressEvent(QKeyEvent *event) {
  if (ForwardEntryKey(event))
    return;
  int col = m_col, row = m_row;
  switch (event->key()) {
  case Qt::Key_Left:
    --col;
    break;
  case Qt::Key_Right:
    ++col;
    break;
  case Qt::Key_Up:
    --row;
    break;
  case Qt::Key_Down:
    ++row;
    break;
  case Qt::Key_Home:
    col = 0;
    break;
  case Qt::Key_End:
    col = 8;
    break;
  case Qt::Key_PageUp:
    row = 0;
    break;
  case Qt::Key_PageDown:
    row = 8;
    break;
  default:
    QWidget::keyPressEvent(event);
    return;
  }
  if (col < 0 || col > 8 || row < 0 || row > 8 || (col == m_col && row == m_row))
    return;
  SetCurrent(col, row);
  emit Clicked();
}

void TStringGrid::keyReleaseEvent(QKeyEvent *event) {
  if (!ForwardEntryKey(event))
    QWidget::keyReleaseEvent(event);
}

bool TStringGrid::ForwardEntryKey(QKeyEvent *event) {
  if (!m_entryTarget || !IsEntryKey(*event))
    return false;
  // Press and release both take the entry box's own road: its filter, its
  // editing and the entry that its key release runs.
  const std::unique_ptr<QEvent> copy(event->clone());
  QCoreApplication::sendEvent(m_entryTarget, copy.get());
  event->accept();
  return true;
}

void TStringGrid::focusInEvent(QFocusEvent *event) {
  update(CellRect(m_col, m_row));
  QWidget::focusInEvent(event);
  // Qt announces the grid itself once this returns; its current cell comes next.
  m_focusPending = true;
  QTimer::singleShot(0, this, [this] {
    m_focusPending = false;
    NotifyCurrentFocused(*this);
  });
}

void TStringGrid::focusOutEvent(QFocusEvent *event) {
  update(CellRect(m_col, m_row));
  QWidget::focusOutEvent(event);
}
