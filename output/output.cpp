#include "output.h"

#include <QFont>
#include <QPainter>

namespace {
// Cell texts are bytes, read as UTF-8 as the window shows them.
QString CellText(const TSquare &cell) {
  return QString::fromStdString(cell.Text);
}
} // namespace

QString ClipboardText(const TGrid &board) {
  QString text;
  for (int row = 0; row < 9; ++row) {
    text += CellText(board[0][row]);
    for (int col = 1; col < 9; ++col)
      text += QLatin1Char('\t') + CellText(board[col][row]);
    text += QStringLiteral("\r\n");
  }
  return text;
}

namespace {

QFont Arial(int points, bool bold) {
  QFont font;
  font.setFamilies(
      {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
  font.setPointSize(points);
  font.setBold(bold);
  return font;
}

// Text with its top-left corner at a point, cut off at the edges of clip.
void TextRect(QPainter &painter, const QRect &clip, QPoint topLeft, const QString &text) {
  painter.save();
  painter.setClipRect(clip);
  painter.drawText(QRect(topLeft, QSize(page::GridWidth * 2, page::GridWidth)),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter.restore();
}

} // namespace

void PaintPage(QPainter &painter, const QString &title, const TGrid &board) {
  using namespace page;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.setBrush(Qt::NoBrush);

  painter.setFont(Arial(10, true));
  TextRect(painter, QRect(QPoint(0, FrameTop), QPoint(GridWidth - 1, GridTop - 1)), QPoint(20, 270),
           title);

  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const TCellType type = CellType(board[c][r].Fixed, board[c][r].Text, TMedium::Paper);
      painter.setFont(Arial(type.large ? 16 : 8, type.given));
      const QRect rect(c * Cell, GridTop + r * Cell, Cell, Cell);
      TextRect(painter, rect, rect.topLeft() + QPoint(60, 30), CellText(board[c][r]));
      painter.setPen(QPen(Qt::black, 0));
      painter.drawRect(rect.adjusted(0, 0, -1, -1));
    }

  painter.setPen(QPen(Qt::black, LineWidth, Qt::SolidLine, Qt::SquareCap));
  const QLine lines[] = {
      {0, FrameTop, GridWidth, FrameTop},
      {0, GridTop, GridWidth, GridTop},
      {0, FrameBottom, GridWidth, FrameBottom},
      {0, FrameTop, 0, FrameBottom},
      {GridWidth, FrameTop, GridWidth, FrameBottom},
      {6 * Cell, GridTop, 6 * Cell, FrameBottom},
      {0, GridTop + 3 * Cell, GridWidth, GridTop + 3 * Cell},
      {0, GridTop + 6 * Cell, GridWidth, GridTop + 6 * Cell},
      {3 * Cell, GridTop, 3 * Cell, FrameBottom},
      {6 * Cell, GridTop, 6 * Cell, FrameBottom},
  };
  for (const QLine &line : lines)
    painter.drawLine(line);
}
