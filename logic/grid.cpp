#include "grid.h"

TCandidateGrid::TCandidateGrid() {
  m_cells.fill(AllDigits);
  for (int cell = 0; cell < CellCount; ++cell)
    m_open.Add(cell);
  m_digitCells.fill(m_open);
}

TCandidateGrid TCandidateGrid::FromBoard(const TGrid &board) {
  TCandidateGrid grid;
  for (int cell = 0; cell < CellCount; ++cell) {
    const std::string &text = board[ColOf(cell)][RowOf(cell)].Text;
    if (text.size() == 1 && text[0] >= '1' && text[0] <= '9')
      grid.Place(cell, text[0] - '0');
  }
  return grid;
}

TCandidateGrid TCandidateGrid::FromText(const char *text) {
  TCandidateGrid grid;
  for (int i = 0; i < CellCount && text[i]; ++i)
    if (text[i] >= '1' && text[i] <= '9')
      grid.Place(CellOf(i % 9, i / 9), text[i] - '0');
  return grid;
}

void TCandidateGrid::Place(int cell, int digit) {
  for (TDigits rest = m_cells[cell]; rest;)
    m_digitCells[TakeDigit(rest) - 1].Remove(cell);
  m_cells[cell] = 0;
  m_values[cell] = std::uint8_t(digit);
  m_open.Remove(cell);
  TCellSet &holders = m_digitCells[digit - 1];
  for (const int peer : holders &PeerSets[cell])
    m_cells[peer] &= TDigits(~DigitBit(digit));
  holders -= PeerSets[cell];
}

void TCandidateGrid::Eliminate(int cell, int digit) {
  m_cells[cell] &= TDigits(~DigitBit(digit));
  m_digitCells[digit - 1].Remove(cell);
}

void TCandidateGrid::SetCandidates(int cell, TDigits digits) {
  for (int d = 1; d <= 9; ++d)
    if (digits & DigitBit(d))
      m_digitCells[d - 1].Add(cell);
    else
      m_digitCells[d - 1].Remove(cell);
  m_cells[cell] = digits;
}
