// Times Generate Graded Puzzle: for each band and symmetry, the median, best
// and worst time of a number of puzzles, each from its own seed, and the
// median attempts a puzzle took:
//   build-rel/bench/bench_graded [puzzles per band, default 21] [extreme puzzles, default 5]
//     [--strict: symmetric puzzles strictly minimal too | --symmetric] [first band, 0 Easy]
#include "grading.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char *SymmetryName(TSymmetry symmetry) {
  switch (symmetry) {
  case TSymmetry::None:
    return "none";
  case TSymmetry::Rotate180:
    return "180";
  case TSymmetry::Rotate90:
    return "90";
  case TSymmetry::Mirror:
    break;
  }
  return "mirror";
}

template <typename T> T Median(std::vector<T> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

void Bench(TBand band, TSymmetry symmetry, int puzzles, std::optional<TMinimality> minimality) {
  if (puzzles <= 0)
    return;
  std::vector<double> times;
  std::vector<int> attempts;
  for (int i = 0; i < puzzles; ++i) {
    TSeededRandom random(std::uint32_t(1000 * int(band) + 100 * int(symmetry) + i));
    const auto start = Clock::now();
    TGradedOptions options;
    options.minimality = minimality;
    const auto puzzle = GenerateGraded(band, symmetry, random, options);
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    attempts.push_back(puzzle ? puzzle->attempts : 0);
  }
  std::printf("| %s | %s%s | %d | %.0f | %.0f | %.0f | %d |\n", BandName(band).data(),
              SymmetryName(symmetry),
              symmetry == TSymmetry::None ? ""
              : minimality.value_or(UsualMinimality(band, symmetry)) == TMinimality::Strict
                  ? ", strict"
                  : ", symmetric",
              puzzles, Median(times), *std::min_element(times.begin(), times.end()),
              *std::max_element(times.begin(), times.end()), Median(attempts));
  std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv) {
  const int puzzles = argc > 1 ? std::atoi(argv[1]) : 21;
  const int extreme = argc > 2 ? std::atoi(argv[2]) : 5;
  // The program's own choice by default; --strict and --symmetric time one
  // kind of minimality everywhere.
  const std::string kind = argc > 3 ? argv[3] : "";
  const std::optional<TMinimality> minimality =
      kind == "--strict"      ? std::optional(TMinimality::Strict)
      : kind == "--symmetric" ? std::optional(TMinimality::Symmetric)
                              : std::nullopt;
  std::printf("%s, %s\n\n", NINEGROVE_COMPILER, NINEGROVE_FLAGS);
  // Warm-up: caches and the allocator, not measured.
  TSeededRandom warm(1u);
  GenerateGraded(TBand::Medium, TSymmetry::None, warm);
  std::printf("| band | symmetry | puzzles | median ms | best | worst | median attempts |\n");
  std::printf("|---|---|---:|---:|---:|---:|---:|\n");
  const int firstBand = argc > 4 ? std::atoi(argv[4]) : 0;
  for (int b = firstBand; b < BandCount; ++b)
    for (TSymmetry symmetry :
         {TSymmetry::None, TSymmetry::Rotate180, TSymmetry::Rotate90, TSymmetry::Mirror})
      Bench(TBand(b), symmetry, TBand(b) == TBand::Extreme ? extreme : puzzles, minimality);
}
