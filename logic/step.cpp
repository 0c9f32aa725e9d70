#include "step.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 38> Names = {
    "Hidden Single",
    "Direct Pointing",
    "Direct Claiming",
    "Direct Hidden Pair",
    "Naked Single",
    "Direct Hidden Triplet",
    "Pointing",
    "Claiming",
    "Naked Pair",
    "X-Wing",
    "Hidden Pair",
    "Naked Triplet",
    "Swordfish",
    "Hidden Triplet",
    "XY-Wing",
    "XYZ-Wing",
    "Unique Rectangle",
    "Naked Quad",
    "Jellyfish",
    "Hidden Quad",
    "Bivalue Universal Grave",
    "Aligned Pair Exclusion",
    "X-Cycle",
    "Y-Cycle",
    "XY-Cycle",
    "Forcing X-Chain",
    "Forcing Y-Chain",
    "Forcing XY-Chain",
    "Aligned Triplet Exclusion",
    "Nishio Forcing Chain",
    "Cell Forcing Chains",
    "Region Forcing Chains",
    "Dynamic Contradiction Forcing Chains",
    "Dynamic Double Forcing Chains",
    "Dynamic Cell Forcing Chains",
    "Dynamic Region Forcing Chains",
    "Dynamic Forcing Chains (+)",
    "Nested Forcing Chains",
};
static_assert(Names.size() == std::size_t(TTechnique::NestedForcingChain) + 1);

std::string DigitList(TDigits digits) {
  std::string text;
  for (TDigits rest = digits; rest;) {
    if (!text.empty())
      text += rest & (rest - 1) ? ", " : " and ";
    text += char('0' + TakeDigit(rest));
  }
  return text;
}

std::string CandidateList(const std::vector<TCandidate> &candidates, std::string_view relation) {
  std::string text;
  for (const TCandidate &c : candidates) {
    if (!text.empty())
      text += ", ";
    text += CellName(c.cell);
    text += relation;
    text += char('0' + c.digit);
  }
  return text;
}

} // namespace

void ApplyStep(TCandidateGrid &grid, const TStep &step) {
  // A step that places a digit only places it: a direct technique's
  // eliminations are the reason for the placement, not a result of their own,
  // and the rating scale's solver leaves them for later steps to find.
  if (!step.placements.empty()) {
    for (const TCandidate &c : step.placements)
      if (grid.Value(c.cell) == 0)
        grid.Place(c.cell, c.digit);
    return;
  }
  for (const TCandidate &c : step.eliminations)
    grid.Eliminate(c.cell, c.digit);
}

std::string_view TechniqueName(TTechnique technique) {
  return Names[std::size_t(technique)];
}

std::string CellName(int cell) {
  return std::string("r") + char('1' + RowOf(cell)) + 'c' + char('1' + ColOf(cell));
}

std::string NodeName(const TChainNode &node) {
  return CellName(node.candidate.cell) + (node.on ? "=" : "<>") + char('0' + node.candidate.digit);
}

std::string UnitName(int unit) {
  static constexpr std::array<const char *, 3> Kinds = {"row ", "column ", "box "};
  return Kinds[std::size_t(UnitKind(unit))] + std::string(1, char('1' + unit % 9));
}

std::string RatingText(int tenths) {
  return std::to_string(tenths / 10) + '.' + char('0' + tenths % 10);
}

std::string StepText(const TStep &step) {
  std::string text(TechniqueName(step.technique));
  if (step.technique == TTechnique::UniqueRectangle ||
      step.technique == TTechnique::BivalueUniversalGrave)
    text += " type " + std::to_string(step.variant);
  if (!step.units.empty()) {
    text += " in ";
    for (std::size_t i = 0; i < step.units.size(); ++i)
      text += (i ? i + 1 == step.units.size() ? " and " : ", " : "") + UnitName(step.units[i]);
  }
  if (step.digits)
    text += (step.units.empty() ? " on " : ", on ") + DigitList(step.digits);
  if (!step.cells.empty()) {
    text += step.units.empty() && !step.digits ? " in " : ", cells ";
    for (std::size_t i = 0; i < step.cells.size(); ++i)
      text += (i ? ", " : "") + CellName(step.cells[i]);
  }
  text += ".";
  for (const TChain &chain : step.chains) {
    text += "\n";
    for (std::size_t i = 0; i < chain.size(); ++i)
      text += (i ? " -> " : "  ") + NodeName(chain[i]);
  }
  if (!step.placements.empty())
    text += "\nPlaces " + CandidateList(step.placements, "=") + ".";
  if (!step.eliminations.empty())
    text += "\nEliminates " + CandidateList(step.eliminations, "<>") + ".";
  return text;
}
