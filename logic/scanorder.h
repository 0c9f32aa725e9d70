#pragma once

// The order in which the rating scale's solver walks the board. A technique
// offers the first step its scan meets, so two scans that meet patterns in a
// different order can take a puzzle down different paths; these tables let
// the basic techniques walk exactly as the ratings we match were made.

#include "geometry.h"

#include <array>
#include <cstdint>

namespace scan {

// Boxes, then columns, then rows: how subsets visit the units.
constexpr std::array<std::uint8_t, UnitCount> BoxesColumnsRows = [] {
  std::array<std::uint8_t, UnitCount> units{};
  for (int i = 0; i < 9; ++i) {
    units[i] = std::uint8_t(BoxUnit(i));
    units[9 + i] = std::uint8_t(ColumnUnit(i));
    units[18 + i] = std::uint8_t(RowUnit(i));
  }
  return units;
}();

// The cells of each unit by position: a row left to right, a column top to
// bottom, and a box row by row (unlike UnitCells, which goes down a box's
// columns). Which set of positions is "first" depends on it.
constexpr std::array<std::array<std::uint8_t, 9>, UnitCount> Cells = [] {
  std::array<std::array<std::uint8_t, 9>, UnitCount> cells = UnitCells;
  for (int box = 0; box < 9; ++box)
    for (int i = 0; i < 9; ++i)
      cells[BoxUnit(box)][i] = std::uint8_t(CellOf(box % 3 * 3 + i % 3, box / 3 * 3 + i / 3));
  return cells;
}();

// Each cell's 20 peers: its box row by row, then the rest of its row, then
// the rest of its column.
constexpr std::array<std::array<std::uint8_t, 20>, CellCount> Peers = [] {
  std::array<std::array<std::uint8_t, 20>, CellCount> peers{};
  for (int cell = 0; cell < CellCount; ++cell) {
    TCellSet seen = TCellSet::Of(cell);
    int n = 0;
    const int units[3] = {BoxUnit(BoxOf(cell)), RowUnit(RowOf(cell)), ColumnUnit(ColOf(cell))};
    for (const int unit : units)
      for (const int peer : Cells[unit])
        if (!seen.Has(peer)) {
          seen.Add(peer);
          peers[cell][n++] = std::uint8_t(peer);
        }
  }
  return peers;
}();

// The next larger number with as many bits set (Gosper's hack): walking the
// k-subsets of positions in increasing order of their masks, which is the
// order the reference scans use.
constexpr unsigned NextSubset(unsigned mask) {
  const unsigned lowest = mask & -mask;
  const unsigned ripple = mask + lowest;
  return ripple | (((mask ^ ripple) >> 2) / lowest);
}

// The positions (bits of a 9-bit mask) of digit's candidates in unit.
inline unsigned Positions(const TCellSet &cells, int unit) {
  unsigned mask = 0;
  for (int i = 0; i < 9; ++i)
    if (cells.Has(Cells[unit][i]))
      mask |= 1u << i;
  return mask;
}

} // namespace scan
