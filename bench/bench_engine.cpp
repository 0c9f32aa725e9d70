// Times Propagate + SearchSolution over every puzzle collection, side by side
// with qqwing's solver when it is installed, then Design Puzzle's random grids
// and RemoveClues. Run from a Release build:
//   build-rel/bench/bench_engine [data folder]
#include "engine.h"
#include "puzzles.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

// Every collection is solved this many times over, each puzzle with the same
// random draws every time, and a puzzle's fastest run counts: on a shared
// machine the slower ones measure the other processes. qqwing's whole run is
// repeated as often.
constexpr int Rounds = 3;

// qqwing is run on collections up to this size; the 49,158 17-clue puzzles
// would take it most of a minute.
constexpr std::size_t QqwingLimit = 2000;

double Milliseconds(Clock::duration d) {
  return std::chrono::duration<double, std::milli>(d).count();
}

std::optional<std::filesystem::path> FindOnPath(const char *name) {
  const char *path = std::getenv("PATH");
  if (path == nullptr)
    return std::nullopt;
  const std::string dirs = path;
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos)
      end = dirs.size();
    const std::filesystem::path candidate =
        std::filesystem::path(dirs.substr(start, end - start)) / name;
    if (end > start && access(candidate.c_str(), X_OK) == 0)
      return candidate;
    start = end + 1;
  }
  return std::nullopt;
}

struct TQqwingRun {
  double milliseconds = 0; // the whole process, start to end
  double cpu = 0;          // its user and system time
  long solved = 0;         // output lines that are complete grids
};

// One run of `qqwing --solve --one-line` with the file as standard input,
// timed from the start of the process to its end.
std::optional<TQqwingRun> RunQqwing(const std::filesystem::path &qqwing,
                                    const std::filesystem::path &file) {
  int output[2];
  if (pipe(output) != 0)
    return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, file.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, output[1], 1);
  posix_spawn_file_actions_addclose(&actions, output[0]);
  posix_spawn_file_actions_addclose(&actions, output[1]);
  std::string program = qqwing.string();
  std::string solve = "--solve", oneLine = "--one-line";
  char *argv[] = {program.data(), solve.data(), oneLine.data(), nullptr};
  pid_t pid = 0;
  const auto start = Clock::now();
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(output[1]);
  if (spawned != 0) {
    close(output[0]);
    return std::nullopt;
  }
  std::string text;
  char buffer[1 << 16];
  for (ssize_t n; (n = read(output[0], buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  close(output[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  TQqwingRun run;
  run.milliseconds = Milliseconds(Clock::now() - start);
  const auto cpu = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
  run.cpu = cpu(usage.ru_utime) + cpu(usage.ru_stime);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
    return std::nullopt;
  std::size_t from = 0;
  for (std::size_t end; (end = text.find('\n', from)) != std::string::npos; from = end + 1) {
    const std::string line = text.substr(from, end - from);
    run.solved += line.size() == 81 && line.find_first_not_of("123456789") == std::string::npos;
  }
  return run;
}

std::optional<TQqwingRun> TimeQqwing(const std::filesystem::path &qqwing,
                                     const std::filesystem::path &file) {
  std::optional<TQqwingRun> best;
  for (int round = 0; round < Rounds; ++round) {
    const auto run = RunQqwing(qqwing, file);
    if (!run)
      return std::nullopt;
    if (!best || run->milliseconds < best->milliseconds)
      best = run;
  }
  return best;
}

struct TFileResult {
  std::string name;
  std::size_t puzzles = 0;
  double mean = 0;
  std::optional<TQqwingRun> qqwing;
};

TFileResult BenchFile(const std::filesystem::path &path, std::uint32_t seed) {
  const auto lines = ReadPuzzleFile(path.string());
  TFileResult result{path.filename().string(), lines.size(), 0, std::nullopt};
  if (lines.empty())
    return result;
  // Warm-up: caches and the allocator, not measured.
  for (std::size_t i = 0; i < std::min<std::size_t>(lines.size(), 20); ++i) {
    TGrid board = BoardFromLine(lines[i]);
    TSeededRandom random(seed);
    Propagate(board);
    SearchSolution(board, random);
  }
  std::vector<double> times(lines.size());
  long solved = 0, guesses = 0;
  for (int round = 0; round < Rounds; ++round)
    for (std::size_t i = 0; i < lines.size(); ++i) {
      TGrid board = BoardFromLine(lines[i]);
      TSeededRandom random(seed + static_cast<std::uint32_t>(i));
      TSearchStats stats;
      const auto start = Clock::now();
      Propagate(board);
      const TSearchResult outcome = SearchSolution(board, random, &stats);
      const double time = Milliseconds(Clock::now() - start);
      times[i] = round == 0 ? time : std::min(times[i], time);
      if (round == 0) {
        solved += outcome == TSearchResult::Solved && IsValidSolution(board);
        guesses += stats.guesses;
      }
    }
  std::vector<double> sorted = times;
  std::sort(sorted.begin(), sorted.end());
  double total = 0;
  for (double t : times)
    total += t;
  result.mean = total / times.size();
  const auto at = [&](double q) {
    return sorted[std::min(sorted.size() - 1, std::size_t(q * sorted.size()))];
  };
  std::printf("%-32s %7zu %7ld %9.3f %9.3f %9.3f %9.3f %9.1f\n", result.name.c_str(), lines.size(),
              solved, result.mean, at(0.5), at(0.99), sorted.back(),
              double(guesses) / lines.size());
  return result;
}

// Design Puzzle on a cleared board, as the program does it: one generator
// for the whole run.
void BenchDesignPuzzle(TRandom &random) {
  constexpr int Draws = 1000;
  std::set<std::string> grids;
  int valid = 0;
  const auto start = Clock::now();
  for (int draw = 0; draw < Draws; ++draw) {
    TGrid board;
    Propagate(board);
    SearchSolution(board, random);
    RemoveClues(board, 0, random);
    valid += IsValidSolution(board);
    grids.insert(LineFromBoard(board));
  }
  const double ms = Milliseconds(Clock::now() - start);
  std::printf("\nDesign Puzzle: %zu distinct grids out of %d draws, %d valid, %.3f ms a draw\n",
              grids.size(), Draws, valid, ms / Draws);
}

void BenchRemoveClues(TRandom &random) {
  constexpr int Runs = 1000;
  std::vector<TGrid> grids(Runs);
  for (TGrid &grid : grids) {
    Propagate(grid);
    SearchSolution(grid, random);
  }
  std::printf("\nRemoveClues, mean of %d runs on different grids\n", Runs);
  for (int level : {1, 25, 50}) {
    std::vector<TGrid> boards = grids;
    const auto start = Clock::now();
    for (TGrid &board : boards)
      RemoveClues(board, level, random);
    std::printf("level %2d: %8.2f microseconds\n", level,
                1000 * Milliseconds(Clock::now() - start) / Runs);
  }
}

} // namespace

int main(int argc, char **argv) {
  const std::filesystem::path data = argc > 1 ? argv[1] : NINEGROVE_BENCH_DATA;
  TSystemClock clock;
  const auto seed = static_cast<std::uint32_t>(clock.MillisecondsOfDay());
  std::printf("compiler: %s %s\nflags: %s\nseed: %u; fastest of %d runs per puzzle\n\n",
              NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS, seed, Rounds);
  std::printf("%-32s %7s %7s %9s %9s %9s %9s %9s\n", "file", "puzzles", "solved", "mean ms",
              "median", "p99", "worst", "guesses");
  std::vector<std::filesystem::path> files;
  for (const auto &entry : std::filesystem::directory_iterator(data))
    if (entry.path().extension() == ".txt")
      files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  std::vector<TFileResult> results;
  for (const auto &file : files)
    results.push_back(BenchFile(file, seed));

  if (const auto qqwing = FindOnPath("qqwing")) {
    std::printf("\nqqwing --solve --one-line on the same files, fastest of %d runs: its whole\n"
                "process per puzzle, from start to end and in processor time\n",
                Rounds);
    std::printf("%-32s %7s %9s %9s %9s %9s %9s\n", "file", "solved", "ours ms", "qqwing", "ratio",
                "qq cpu", "ratio");
    for (std::size_t i = 0; i < files.size(); ++i) {
      TFileResult &result = results[i];
      if (result.puzzles == 0 || result.puzzles > QqwingLimit)
        continue;
      result.qqwing = TimeQqwing(*qqwing, files[i]);
      if (!result.qqwing) {
        std::printf("%-32s qqwing failed\n", result.name.c_str());
        continue;
      }
      const double perPuzzle = result.qqwing->milliseconds / result.puzzles;
      const double cpuPerPuzzle = result.qqwing->cpu / result.puzzles;
      std::printf("%-32s %7ld %9.3f %9.3f %9.2f %9.3f %9.2f\n", result.name.c_str(),
                  result.qqwing->solved, result.mean, perPuzzle, result.mean / perPuzzle,
                  cpuPerPuzzle, result.mean / cpuPerPuzzle);
    }
  } else {
    std::printf("\nqqwing is not installed (sh tools/install-bench-deps.sh): no comparison\n");
  }

  TSeededRandom random(clock);
  BenchDesignPuzzle(random);
  BenchRemoveClues(random);
}
