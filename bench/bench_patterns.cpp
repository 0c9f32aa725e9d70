// Times the uniqueness, BUG and aligned exclusion finders per call, on the
// positions where a solving path gets that far (every step rated 4.5 or
// more on the way through the first puzzles of the rated collection). Run
// from a Release build:
//   build-rel/bench/bench_patterns [--limit N] [RATED.tsv]
#include "solver.h"
#include "techniques.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int Rounds = 3; // a finder's fastest round counts: the machine is shared

std::vector<TCandidateGrid> Positions(const std::string &path, long limit) {
  std::vector<TCandidateGrid> positions;
  std::ifstream in(path);
  std::string line;
  for (long n = 0; n < limit && std::getline(in, line); ++n) {
    TCandidateGrid grid = TCandidateGrid::FromText(line.substr(0, 81).c_str());
    TRatingOptions options;
    options.keepPath = true;
    for (const TStep &step : RatePuzzle(grid, options).path) {
      if (step.technique >= TTechnique::UniqueRectangle)
        positions.push_back(grid);
      ApplyStep(grid, step);
    }
  }
  return positions;
}

} // namespace

int main(int argc, char **argv) {
  long limit = 1000;
  std::string path = NINEGROVE_BENCH_DATA "/cb000_ser.tsv";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--limit" && i + 1 < argc)
      limit = std::atol(argv[++i]);
    else
      path = arg;
  }
  std::printf("compiler: %s %s\nflags: %s\n\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  const std::vector<TCandidateGrid> positions = Positions(path, limit);
  std::printf("%zu positions from %ld puzzles of %s\n", positions.size(), limit, path.c_str());
  struct TFinder {
    const char *name;
    bool (*find)(const TCandidateGrid &, TFind, TSteps &);
  };
  const TFinder finders[] = {
      {"unique loops", FindUniqueLoops},
      {"BUG", FindBug},
      {"aligned pair", [](const TCandidateGrid &g, TFind f,
                          TSteps &out) { return FindAlignedExclusion(g, 2, f, out); }},
      {"aligned triplet", [](const TCandidateGrid &g, TFind f,
                             TSteps &out) { return FindAlignedExclusion(g, 3, f, out); }},
  };
  for (const TFinder &finder : finders) {
    double best = 1e300;
    long found = 0;
    for (int round = 0; round < Rounds; ++round) {
      found = 0;
      const auto start = Clock::now();
      for (const TCandidateGrid &grid : positions) {
        TSteps steps;
        found += finder.find(grid, TFind::First, steps);
      }
      best =
          std::min(best, std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("%-16s %6ld steps  %8.1f us a call\n", finder.name, found,
                best / double(std::max<std::size_t>(positions.size(), 1)));
  }
}
