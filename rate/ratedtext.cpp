#include "ratedtext.h"

namespace {

constexpr const char *Indent = "  ";
constexpr const char *StepIndent = "       ";

void AppendStep(std::string &text, const TStep &step) {
  std::string words = StepText(step);
  const std::string_view name = TechniqueName(step.technique);
  if (words.compare(0, name.size(), name) != 0)
    words = std::string(name) + ": " + words;
  std::string rating = RatingText(step.rating);
  rating.resize(5, ' ');
  text += Indent + rating;
  // Later sentences line up under the first.
  for (const char c : words) {
    text += c;
    if (c == '\n')
      text += StepIndent;
  }
  text += '\n';
}

std::string WhyNotFinished(const TRating &rating, const TCandidateGrid &puzzle) {
  switch (rating.result) {
  case TRatingResult::NoSolution:
    return "the puzzle has no solution";
  case TRatingResult::SeveralSolutions:
    return "the puzzle has more than one solution";
  case TRatingResult::NoLogicalStep: {
    TCandidateGrid grid = puzzle;
    for (const TStep &step : rating.path)
      ApplyStep(grid, step);
    return "no technique finds a further step; " + std::to_string(grid.OpenCount()) +
           " cells are still open";
  }
  case TRatingResult::Solved:
  case TRatingResult::Cancelled:
  case TRatingResult::AboveLimit:
    break;
  }
  return {};
}

} // namespace

std::string RatedText(const std::array<char, 81> &cells, TExplain explain) {
  const std::string line(cells.begin(), cells.end());
  const TCandidateGrid puzzle = TCandidateGrid::FromText(line.c_str());
  TRatingOptions options;
  options.keepPath = explain == TExplain::Steps;
  const TRating rating = RatePuzzle(puzzle, options);
  std::string text = line + " ED=" + RatingText(rating.er) + '/' + RatingText(rating.ep) + '/' +
                     RatingText(rating.ed) + '\n';
  if (explain == TExplain::No)
    return text;
  for (const TStep &step : rating.path)
    AppendStep(text, step);
  if (rating.result != TRatingResult::Solved)
    text += Indent + RatingText(200) + ' ' + WhyNotFinished(rating, puzzle) + '\n';
  return text;
}
