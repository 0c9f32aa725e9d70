#include "puzzletext.h"

#include <QStringList>

#include <algorithm>

namespace {

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
  return c >= '1' && c <= '9';
}

// '-' stands for an empty cell only in the one-line form; in a block it
// draws lines.
bool IsLineCell(char c) {
  return IsDigit(c) || c == '.' || c == '0' || c == '-';
}

bool IsBlockCell(char c) {
  return IsDigit(c) || c == '.' || c == '0';
}

bool IsDrawing(char c) {
  return c == '|' || c == '+' || c == '-' || IsSpace(c);
}

char CellOf(char c) {
  return IsDigit(c) ? c : '.';
}

bool IsSeparator(QByteArrayView body) {
  return std::all_of(body.begin(), body.end(), IsDrawing);
}

std::optional<std::array<char, 9>> BlockRow(QByteArrayView body) {
  std::array<char, 9> row{};
  int cells = 0;
  for (const char c : body) {
    if (IsDrawing(c))
      continue;
    if (!IsBlockCell(c) || cells == 9)
      return std::nullopt;
    row[cells++] = CellOf(c);
  }
  if (cells != 9)
    return std::nullopt;
  return row;
}

// Control characters would only garble a title in the list.
QString TitleFrom(QByteArrayView bytes) {
  QString title = QString::fromUtf8(bytes);
  for (QChar &c : title)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F)
      c = QLatin1Char(' ');
  return title.trimmed();
}

} // namespace

TPuzzleTextReader::TPuzzleTextReader(TFound found) : m_found(std::move(found)) {}

void TPuzzleTextReader::Feed(QByteArrayView bytes) {
  const char *data = bytes.data();
  const qsizetype size = bytes.size();
  qsizetype i = 0;
  while (i < size) {
    if (m_afterCarriageReturn) {
      m_afterCarriageReturn = false;
      if (data[i] == '\n') {
        ++i;
        continue;
      }
    }
    qsizetype end = i;
    while (end < size && data[end] != '\n' && data[end] != '\r')
      ++end;
    if (end > i) {
      m_lineOpen = true;
      const qsizetype room = KeptLineBytes - m_line.size();
      if (end - i > room)
        m_lineCut = true;
      m_line.append(data + i, std::min(room, end - i));
    }
    if (end == size)
      break;
    m_afterCarriageReturn = data[end] == '\r';
    EndLine();
    i = end + 1;
  }
}

void TPuzzleTextReader::Finish() {
  if (m_lineOpen)
    EndLine();
  DropBlock();
}

void TPuzzleTextReader::Skip(qint64 line, QByteArrayView text) {
  ++m_skipped;
  if (m_firstSkipped.size() < ReportedSkips)
    m_firstSkipped.push_back(line);
  if (m_skippedLine)
    m_skippedLine(line, text);
}

void TPuzzleTextReader::DropBlock() {
  for (std::size_t i = 0; i < m_rowLines.size(); ++i)
    Skip(m_rowLines[i], i < m_rowTexts.size() ? QByteArrayView(m_rowTexts[i]) : QByteArrayView());
  m_rows.clear();
  m_rowLines.clear();
  m_rowTexts.clear();
}

void TPuzzleTextReader::Emit(const TTextPuzzle &puzzle) {
  ++m_puzzles;
  if (m_found)
    m_found(puzzle);
}

void TPuzzleTextReader::EndLine() {
  const qint64 number = ++m_lineNumber;
  const bool cut = m_lineCut;
  const QByteArray line = m_line;
  m_line.clear();
  m_lineCut = false;
  m_lineOpen = false;

  QByteArrayView text(line);
  if (number == 1 && text.startsWith("\xEF\xBB\xBF"))
    text = text.sliced(3);
  qsizetype begin = 0, end = text.size();
  while (begin < end && IsSpace(text[begin]))
    ++begin;
  while (!cut && end > begin && IsSpace(text[end - 1]))
    --end;
  const QByteArrayView body = text.sliced(begin, end - begin);

  if (body.isEmpty() && !cut) {
    DropBlock(); // a blank line ends a puzzle
    return;
  }
  if (!body.isEmpty() && body[0] == '#')
    return;
  if (!cut && IsSeparator(body))
    return;
  if (body.size() >= 81 && std::all_of(body.begin(), body.begin() + 81, IsLineCell) &&
      (body.size() == 81 || IsSpace(body[81]))) {
    DropBlock();
    TTextPuzzle puzzle;
    std::transform(body.begin(), body.begin() + 81, puzzle.cells.begin(), CellOf);
    puzzle.title = TitleFrom(body.sliced(81));
    puzzle.line = number;
    Emit(puzzle);
    return;
  }
  if (const auto row = cut ? std::nullopt : BlockRow(body)) {
    m_rows.push_back(*row);
    m_rowLines.push_back(number);
    if (m_skippedLine)
      m_rowTexts.emplace_back(body.data(), body.size());
    if (m_rows.size() == 9) {
      TTextPuzzle puzzle;
      for (int r = 0; r < 9; ++r)
        std::copy(m_rows[r].begin(), m_rows[r].end(), puzzle.cells.begin() + 9 * r);
      puzzle.line = m_rowLines.front();
      m_rows.clear();
      m_rowLines.clear();
      m_rowTexts.clear();
      Emit(puzzle);
    }
    return;
  }
  DropBlock();
  Skip(number, body);
}

TGrid GridFromCells(const TPuzzleCells &cells) {
  TGrid grid;
  for (int i = 0; i < 81; ++i)
    if (IsDigit(cells[i]))
      grid[i % 9][i / 9] = TSquare{true, std::string(1, cells[i]), false};
  return grid;
}

namespace {

// Nine lines of exactly nine tab-separated cells, as Copy to Clipboard and
// spreadsheets write them.
std::optional<TGrid> CopiedGrid(const QString &text) {
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString &line : lines)
    if (line.endsWith(QLatin1Char('\r')))
      line.chop(1);
  while (!lines.isEmpty() && lines.last().isEmpty())
    lines.removeLast();
  if (lines.size() != 9)
    return std::nullopt;
  TGrid grid;
  for (int row = 0; row < 9; ++row) {
    const QStringList cells = lines[row].split(QLatin1Char('\t'));
    if (cells.size() != 9)
      return std::nullopt;
    for (int col = 0; col < 9; ++col) {
      const QString cell = cells[col].trimmed();
      if (cell.size() == 1 && cell[0] >= QLatin1Char('1') && cell[0] <= QLatin1Char('9'))
        grid[col][row] = TSquare{true, std::string(1, cell[0].toLatin1()), false};
    }
  }
  return grid;
}

} // namespace

std::optional<TGrid> PastedPuzzle(const QString &text) {
  if (auto grid = CopiedGrid(text))
    return grid;
  std::optional<TGrid> first;
  TPuzzleTextReader reader([&](const TTextPuzzle &puzzle) {
    if (!first)
      first = GridFromCells(puzzle.cells);
  });
  reader.Feed(text.toUtf8());
  reader.Finish();
  return first;
}
