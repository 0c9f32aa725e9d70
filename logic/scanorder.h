#pragma once

// The order in which the puzzle world's reference rater visits cells and
// units. Where a technique takes the first step its scan meets, scanning in
// the same order finds the same step, and so gives the same rating path.
// That rater scans the board row by row, a cell's units box first, then row,
// then column, and a box's cells row by row: none of it board order.

#include "geometry.h"

#include <array>
#include <cstdint>

namespace scanorder_detail {

constexpr std::array<std::uint8_t, CellCount> MakeRowMajor() {
  std::array<std::uint8_t, CellCount> cells{};
  for (int i = 0; i < CellCount; ++i)
    cells[i] = std::uint8_t(CellOf(i % 9, i / 9));
  return cells;
}

constexpr std::array<std::array<std::uint8_t, 9>, UnitCount> MakeUnitOrder() {
  std::array<std::array<std::uint8_t, 9>, UnitCount> units{};
  for (int i = 0; i < 9; ++i)
    for (int k = 0; k < 9; ++k) {
      units[RowUnit(i)][k] = std::uint8_t(CellOf(k, i));
      units[ColumnUnit(i)][k] = std::uint8_t(CellOf(i, k));
      units[BoxUnit(i)][k] = std::uint8_t(CellOf(i % 3 * 3 + k % 3, i / 3 * 3 + k / 3));
    }
  return units;
}

} // namespace scanorder_detail

// The board row by row, each row left to right.
constexpr std::array<std::uint8_t, CellCount> RowMajorCells = scanorder_detail::MakeRowMajor();

// Each unit's cells: rows left to right, columns top to bottom, boxes row by row.
constexpr std::array<std::array<std::uint8_t, 9>, UnitCount> ScanUnitCells =
    scanorder_detail::MakeUnitOrder();

// The unit kinds in the order the rater tries them for a cell.
constexpr std::array<TUnitKind, 3> ScanKinds = {TUnitKind::Box, TUnitKind::Row,
                                                TUnitKind::Column};

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

// The position of a cell in its unit's scan order.
constexpr int ScanIndex(int unit, int cell) {
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

namespace scanorder_detail {

constexpr std::array<std::array<std::uint8_t, 20>, CellCount> MakeHouseOrder() {
  std::array<std::array<std::uint8_t, 20>, CellCount> houses{};
  const auto units = MakeUnitOrder();
  for (int cell = 0; cell < CellCount; ++cell) {
    TCellSet seen = TCellSet::Of(cell);
    int n = 0;
    for (const TUnitKind kind : ScanKinds)
      for (const std::uint8_t other : units[UnitOf(cell, kind)])
        if (!seen.Has(other)) {
          seen.Add(other);
          houses[cell][n++] = other;
        }
  }
  return houses;
}

} // namespace scanorder_detail

// A cell's 20 peers: its box row by row, then the rest of its row, then the
// rest of its column.
constexpr std::array<std::array<std::uint8_t, 20>, CellCount> HousePeers =
    scanorder_detail::MakeHouseOrder();

// Steps through the k-element subsets of n positions as bit masks, in
// increasing order of the mask, which is how the rater orders its
// combinations. Start with FirstCombination(k); it returns false past the last.
constexpr std::uint32_t FirstCombination(int k) {
  return (std::uint32_t(1) << k) - 1;
}
constexpr bool NextCombination(std::uint32_t &mask, int n) {
  if (mask == 0)
    return false; // the empty subset is the only one
  const std::uint32_t lowest = mask & (~mask + 1);
  const std::uint32_t ripple = mask + lowest;
  mask = ripple | (((mask ^ ripple) >> 2) / lowest);
  return mask < (std::uint32_t(1) << n);
}
