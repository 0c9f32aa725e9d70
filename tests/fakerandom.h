#pragma once

#include "random.h"

#include <deque>
#include <initializer_list>
#include <vector>

// Hands out a scripted sequence of draws, then 0 for every draw after the
// script, and remembers the range of every draw it was asked for.
class TScriptedRandom final : public TRandom {
public:
  TScriptedRandom(std::initializer_list<int> script) : m_script(script) {}

  int Below(int count) override {
    asked.push_back(count);
    if (m_script.empty())
      return 0;
    const int value = m_script.front();
    m_script.pop_front();
    if (value >= count)
      outOfRange = true;
    return value % count;
  }

  bool ScriptUsed() const { return m_script.empty(); }

  std::vector<int> asked; // the count of each draw, in order
  bool outOfRange = false;

private:
  std::deque<int> m_script;
};
