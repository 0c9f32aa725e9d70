#include "storedtext.h"

namespace {

// The length of the UTF-8 sequence at i, or 1 for a byte that starts none.
int SequenceLength(const QByteArray &text, int i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const int length = lead >= 0xF0 && lead <= 0xF4   ? 4
                     : lead >= 0xE0 && lead <= 0xEF ? 3
                     : lead >= 0xC2 && lead <= 0xDF ? 2
                                                    : 1;
  if (i + length > text.size())
    return 1;
  for (int k = 1; k < length; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
      return 1;
  return length;
}

QByteArray CellMarker(bool fixed) {
  return fixed ? QByteArrayLiteral("+") : QByteArrayLiteral("-");
}

QByteArray StoredCellText(const TSquare &cell) {
  return Cut(CellMarker(cell.Fixed) + QByteArray::fromStdString(cell.Text), CellWidth);
}

} // namespace

QString Cut(const QString &text, int width) {
  qsizetype units = 0;
  for (int characters = 0; units < text.size() && characters < width; ++characters)
    units += text.at(units).isHighSurrogate() && units + 1 < text.size() &&
                     text.at(units + 1).isLowSurrogate()
                 ? 2
                 : 1;
  return text.left(units);
}

QByteArray Cut(const QByteArray &text, int width) {
  int bytes = 0;
  for (int characters = 0; bytes < text.size() && characters < width; ++characters)
    bytes += SequenceLength(text, bytes);
  return text.left(bytes);
}

TSquare CellFromStored(const QByteArray &stored) {
  TSquare cell;
  cell.Fixed = stored.contains('+');
  if (!stored.isEmpty()) {
    const QByteArray text = stored.mid(SequenceLength(stored, 0));
    cell.Text = Cut(text, CellWidth - 1).toStdString();
  }
  return cell;
}

TStoredCells StoredCells(const TGrid &board) {
  TStoredCells cells;
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col)
      cells[row * 9 + col] = StoredCellText(board[col][row]);
  return cells;
}

void LoadStoredCells(TGrid &board, const TStoredCells &cells) {
  for (int row = 0; row < 9; ++row)
    for (int col = 0; col < 9; ++col) {
      const TSquare cell = CellFromStored(cells[row * 9 + col]);
      board[col][row].Fixed = cell.Fixed;
      board[col][row].Text = cell.Text;
    }
}

QString FoldedTitle(QString title) {
  for (QChar &c : title)
    if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
      c = QChar(c.unicode() + ('a' - 'A'));
  return title;
}

QString NumberedTitle(const QString &base, int number) {
  const QString suffix = QStringLiteral(" (%1)").arg(number);
  return Cut(base, TitleWidth - int(suffix.size())) + suffix;
}
