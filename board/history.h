#pragma once

#include "board.h"

#include <vector>

// Up to 100 whole-board snapshots in slots 1..100. A snapshot is taken before
// each entry, so the board an entry produced is in no slot.
class THistory {
public:
  static constexpr int Capacity = 100;

  THistory();

  void PushHistory(const TGrid &board);
  // Both load the snapshot at the resulting position, even when it did not
  // move. Before the first snapshot they leave the board alone and return false.
  bool Undo(TGrid &board);
  bool Redo(TGrid &board);
  void Reset();

  int HistoryPos() const { return m_pos; }
  int HistoryTop() const { return m_top; }
  const TGrid &Slot(int slot) const { return m_slots.at(slot - 1); }

private:
  std::vector<TGrid> m_slots;
  int m_pos = 0;
  int m_top = 0;
};
