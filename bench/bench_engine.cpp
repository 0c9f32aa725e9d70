// Times Propagate + SearchSolution over every puzzle collection, and
// RemoveClues, with the program's random source. Run from a Release build:
//   build/bench/bench_engine [data folder]
#include "engine.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

TGrid BoardFromLine(const std::string &line) {
  TGrid board;
  for (int i = 0; i < 81; ++i)
    if (line[i] >= '1' && line[i] <= '9')
      board[i % 9][i / 9].Text = std::string(1, line[i]);
  return board;
}

std::vector<std::string> ReadLines(const std::filesystem::path &path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);)
    if (line.size() >= 81)
      lines.push_back(line.substr(0, 81));
  return lines;
}

void BenchFile(const std::filesystem::path &path, TRandom &random) {
  const auto lines = ReadLines(path);
  if (lines.empty())
    return;
  // Warm-up: caches and the allocator, not measured.
  for (std::size_t i = 0; i < std::min<std::size_t>(lines.size(), 20); ++i) {
    TGrid board = BoardFromLine(lines[i]);
    Propagate(board);
    SearchSolution(board, random);
  }
  std::vector<double> times;
  times.reserve(lines.size());
  long solved = 0, guesses = 0;
  for (const std::string &line : lines) {
    TGrid board = BoardFromLine(line);
    TSearchStats stats;
    const auto start = Clock::now();
    Propagate(board);
    const TSearchResult result = SearchSolution(board, random, &stats);
    times.push_back(Milliseconds(Clock::now() - start));
    solved += result == TSearchResult::Solved;
    guesses += stats.guesses;
  }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  double total = 0;
  for (double t : times)
    total += t;
  const auto at = [&](double q) {
    return sorted[std::min(sorted.size() - 1, std::size_t(q * sorted.size()))];
  };
  std::printf("%-32s %7zu %7ld %9.3f %9.3f %9.3f %9.3f %9.1f\n", path.filename().c_str(),
              lines.size(), solved, total / times.size(), at(0.5), at(0.99), sorted.back(),
              double(guesses) / lines.size());
}

} // namespace

int main(int argc, char **argv) {
  const std::filesystem::path data = argc > 1 ? argv[1] : NINEGROVE_BENCH_DATA;
  TSystemClock clock;
  TSeededRandom random(clock);
  std::printf("compiler: %s %s\nflags: %s\n\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  std::printf("%-32s %7s %7s %9s %9s %9s %9s %9s\n", "file", "puzzles", "solved", "mean ms",
              "median", "p99", "worst", "guesses");
  std::vector<std::filesystem::path> files;
  for (const auto &entry : std::filesystem::directory_iterator(data))
    if (entry.path().extension() == ".txt")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const auto &file : files)
    BenchFile(file, random);

  std::printf("\nRemoveClues\n");
  for (int level : {1, 25, 50}) {
    TGrid board;
    Propagate(board);
    SearchSolution(board, random);
    const auto start = Clock::now();
    RemoveClues(board, level, random);
    std::printf("level %2d: %8.2f ms\n", level, Milliseconds(Clock::now() - start));
  }
}
