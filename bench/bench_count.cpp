// Times CountSolutions with the limit of Count Solutions (2) over every puzzle
// collection. Each puzzle is counted three times and its best time kept, so
// the worst case shows the puzzle's own cost rather than a busy machine:
//   build-rel/bench/bench_count [data folder]
#include "count.h"
#include "puzzles.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double BestOfThree(const TGrid &board, int &count) {
  double best = 1e9;
  for (int round = 0; round < 3; ++round) {
    const auto start = Clock::now();
    count = CountSolutions(board);
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

void BenchFile(const std::filesystem::path &path) {
  const auto lines = ReadPuzzleFile(path.string());
  if (lines.empty())
    return;
  // Warm-up: caches and the allocator, not measured.
  for (std::size_t i = 0; i < std::min<std::size_t>(lines.size(), 20); ++i)
    CountSolutions(BoardFromLine(lines[i]));
  std::vector<double> times;
  long unique = 0;
  std::size_t worst = 0;
  for (const std::string &line : lines) {
    int count = 0;
    times.push_back(BestOfThree(BoardFromLine(line), count));
    unique += count == 1;
    if (times.back() > times[worst])
      worst = times.size() - 1;
  }
  double total = 0;
  for (const double t : times)
    total += t;
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  std::printf("%-32s %7zu %7ld %9.3f %9.3f %9.3f  %s\n", path.filename().c_str(), lines.size(),
              unique, total / times.size(), sorted[sorted.size() / 2], sorted.back(),
              lines[worst].c_str());
}

} // namespace

int main(int argc, char **argv) {
  const std::filesystem::path data = argc > 1 ? argv[1] : NINEGROVE_BENCH_DATA;
  std::printf("compiler: %s %s\nflags: %s\n\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  std::printf("%-32s %7s %7s %9s %9s %9s  %s\n", "file", "puzzles", "unique", "mean ms", "median",
              "worst", "worst puzzle");
  std::vector<std::filesystem::path> files;
  for (const auto &entry : std::filesystem::directory_iterator(data))
    if (entry.path().extension() == ".txt")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto &file : files)
    BenchFile(file);
}
