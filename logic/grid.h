#pragma once

#include "board.h"
#include "geometry.h"

#include <array>
#include <cstdint>

// One candidate: a digit in a cell.
struct TCandidate {
  std::uint8_t cell = 0;
  std::uint8_t digit = 0;

  bool operator==(const TCandidate &) const = default;
  auto operator<=>(const TCandidate &) const = default;
};

// The position the techniques reason about: decided digits and the candidates
// of every open cell, kept twice over (by cell, and by digit as a cell set) so
// that both unit scans and chains read them at the cost of a mask test.
class TCandidateGrid {
public:
  // Every cell open with all nine candidates.
  TCandidateGrid();

  // From a board's decided cells only (one-character digit texts); a
  // player's candidate notes are no rule, so open cells get every digit that
  // no peer holds. A decided cell that repeats a peer's digit is still
  // decided: the grid then has no solution, which the solver reports.
  static TCandidateGrid FromBoard(const TGrid &board);

  // 81 characters, row by row: 1-9 for a digit, anything else open.
  static TCandidateGrid FromText(const char *text);

  TDigits Candidates(int cell) const { return m_cells[cell]; }
  int Value(int cell) const { return m_values[cell]; }
  bool Has(int cell, int digit) const { return (m_cells[cell] & DigitBit(digit)) != 0; }
  // The open cells that hold digit as a candidate.
  const TCellSet &Cells(int digit) const { return m_digitCells[digit - 1]; }
  TCellSet OpenCells() const { return m_open; }
  int OpenCount() const { return m_open.Count(); }
  bool Solved() const { return m_open.Empty(); }

  // Decides a cell and takes the digit from its peers' candidates.
  void Place(int cell, int digit);
  void Eliminate(int cell, int digit);
  // Sets an open cell's candidates outright (positions read from a file).
  void SetCandidates(int cell, TDigits digits);

  bool operator==(const TCandidateGrid &) const = default;

private:
  std::array<TDigits, CellCount> m_cells{};
  std::array<std::uint8_t, CellCount> m_values{};
  std::array<TCellSet, 9> m_digitCells{};
  TCellSet m_open;
};
