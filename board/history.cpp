#include "history.h"

#include <algorithm>

THistory::THistory() : m_slots(Capacity) {}

void THistory::PushHistory(const TGrid &board) {
  if (m_pos == Capacity) {
    // Oldest snapshot drops out; the rest move down one slot.
    std::move(m_slots.begin() + 1, m_slots.end(), m_slots.begin());
  } else {
    ++m_pos;
    m_top = m_pos;
  }
  m_slots[m_pos - 1] = board;
}

bool THistory::Undo(TGrid &board) {
  if (m_pos == 0)
    return false;
  if (m_pos > 1)
    --m_pos;
  board = m_slots[m_pos - 1];
  return true;
}

bool THistory::Redo(TGrid &board) {
  if (m_pos == 0)
    return false;
  if (m_pos < Capacity && m_pos < m_top)
    ++m_pos;
  board = m_slots[m_pos - 1];
  return true;
}

void THistory::Reset() {
  m_pos = 0;
  m_top = 0;
}
