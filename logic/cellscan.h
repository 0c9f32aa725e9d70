#pragma once

// More of the reference rater's order, for the patterns that start from a
// cell: it visits the cells row by row, and a cell's units box first, then
// row, then column.

#include "scanorder.h"

#include <array>
#include <cstdint>

namespace scan {

// The board row by row, each row left to right.
constexpr std::array<std::uint8_t, CellCount> RowMajorCells = [] {
  std::array<std::uint8_t, CellCount> cells{};
  for (int i = 0; i < CellCount; ++i)
    cells[i] = std::uint8_t(CellOf(i % 9, i / 9));
  return cells;
}();

// The unit kinds in the order the rater tries them for one cell.
constexpr std::array<TUnitKind, 3> Kinds = {TUnitKind::Box, TUnitKind::Row, TUnitKind::Column};

constexpr int UnitOf(int cell, TUnitKind kind) {
  switch (kind) {
  case TUnitKind::Row:
    return RowUnit(RowOf(cell));
  case TUnitKind::Column:
    return ColumnUnit(ColOf(cell));
  case TUnitKind::Box:
    return BoxUnit(BoxOf(cell));
  }
  return -1;
}

// A cell's position in its unit's row of Cells.
constexpr int IndexOf(int unit, int cell) {
  switch (UnitKind(unit)) {
  case TUnitKind::Row:
    return ColOf(cell);
  case TUnitKind::Column:
    return RowOf(cell);
  case TUnitKind::Box:
    return RowOf(cell) % 3 * 3 + ColOf(cell) % 3;
  }
  return -1;
}

// Steps through the k-subsets of n positions in increasing order of their
// masks: start from FirstSubset(k); false once past the last. The empty
// subset is the only one of size 0.
constexpr unsigned FirstSubset(int k) {
  return (1u << k) - 1;
}
constexpr bool NextSubset(unsigned &mask, int n) {
  if (mask == 0)
    return false;
  mask = NextSubset(mask);
  return mask < (1u << n);
}

} // namespace scan
