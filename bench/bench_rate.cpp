// Rates SE's rated collection and compares, times the rater on puzzle files,
// or checks that no step of any path is wrong. Run from a Release build:
//   build-rel/bench/bench_rate [--threads N] [--limit N] [--every K]
//                              [--list-mismatches FILE] [RATED.tsv]
//   build-rel/bench/bench_rate --files [--threads N] FILE...
//   build-rel/bench/bench_rate --sound [--threads N] [--limit N] [--every K] [RATED.tsv]
// RATED.tsv holds one puzzle a line: 81 characters, a tab, SE's ER (the
// default is tests/data/cb000_ser.tsv).
#include "puzzles.h"
#include "solver.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct TOptions {
  enum { Compare, Files, Sound } mode = Compare;
  int threads = int(std::max(1u, std::thread::hardware_concurrency()));
  long limit = 0; // 0: all
  long every = 1;
  std::string mismatches;
  std::vector<std::string> files;
};

struct TPuzzle {
  std::string line; // the 81 cells
  int se = -1;      // SE's ER in tenths, -1 when the file gives none
};

struct TRated {
  TRating rating;
  double ms = 0;
};

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// Runs job(i) for every i below count on the given number of threads.
void InParallel(std::size_t count, int threads, const std::function<void(std::size_t)> &job) {
  std::atomic<std::size_t> next = 0;
  std::vector<std::thread> workers;
  for (int t = 0; t < threads; ++t)
    workers.emplace_back([&] {
      for (std::size_t i; (i = next++) < count;)
        job(i);
    });
  for (std::thread &worker : workers)
    worker.join();
}

TRated Rate(const std::string &line, const TRatingOptions &options = {}) {
  const TCandidateGrid grid = TCandidateGrid::FromText(line.c_str());
  const auto start = Clock::now();
  TRated rated{RatePuzzle(grid, options), 0};
  rated.ms = Seconds(Clock::now() - start) * 1000;
  return rated;
}

std::string Ratings(const TRating &rating) {
  return RatingText(rating.er) + '/' + RatingText(rating.ep) + '/' + RatingText(rating.ed);
}

std::vector<TPuzzle> ReadRated(const std::string &path, const TOptions &options) {
  std::vector<TPuzzle> puzzles;
  long index = 0;
  for (const std::string &line : ReadPuzzleFile(path)) {
    if (index++ % options.every != 0)
      continue;
    TPuzzle puzzle{line.substr(0, 81), -1};
    const std::size_t tab = line.find('\t', 81);
    if (tab != std::string::npos)
      puzzle.se = int(std::lround(std::atof(line.c_str() + tab + 1) * 10));
    puzzles.push_back(puzzle);
    if (options.limit > 0 && long(puzzles.size()) == options.limit)
      break;
  }
  return puzzles;
}

// Caches and the allocator, not measured.
void WarmUp(const std::vector<TPuzzle> &puzzles) {
  for (std::size_t i = 0; i < std::min<std::size_t>(puzzles.size(), 20); ++i)
    Rate(puzzles[i].line);
}

void PrintSlowest(const std::vector<TPuzzle> &puzzles, const std::vector<TRated> &rated) {
  std::vector<std::size_t> order(puzzles.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  const std::size_t shown = std::min<std::size_t>(10, order.size());
  std::partial_sort(order.begin(), order.begin() + long(shown), order.end(),
                    [&](std::size_t a, std::size_t b) { return rated[a].ms > rated[b].ms; });
  std::printf("\nslowest %zu:\n%10s  %-14s  %s  %s\n", shown, "ms", "ER/EP/ED", "puzzle", "SE");
  for (std::size_t k = 0; k < shown; ++k) {
    const std::size_t i = order[k];
    std::printf("%10.1f  %-14s  %s  %s\n", rated[i].ms, Ratings(rated[i].rating).c_str(),
                puzzles[i].line.c_str(),
                puzzles[i].se >= 0 ? RatingText(puzzles[i].se).c_str() : "-");
  }
}

int Compare(const std::string &path, const TOptions &options) {
  const std::vector<TPuzzle> puzzles = ReadRated(path, options);
  if (puzzles.empty()) {
    std::fprintf(stderr, "bench_rate: no puzzles in %s\n", path.c_str());
    return 1;
  }
  WarmUp(puzzles);
  std::vector<TRated> rated(puzzles.size());
  const auto start = Clock::now();
  InParallel(puzzles.size(), options.threads,
             [&](std::size_t i) { rated[i] = Rate(puzzles[i].line); });
  const double wall = Seconds(Clock::now() - start);

  long compared = 0, within[4] = {}, unfinished = 0;
  long reasons[6] = {};
  double busy = 0;
  std::map<std::pair<int, int>, long> pairs;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    const TRating &rating = rated[i].rating;
    busy += rated[i].ms;
    unfinished += rating.er == 200;
    ++reasons[int(rating.result)];
    if (puzzles[i].se < 0)
      continue;
    ++compared;
    const int off = std::abs(rating.er - puzzles[i].se);
    for (int k = 0; k < 4; ++k)
      within[k] += off <= k;
    if (off != 0)
      ++pairs[{puzzles[i].se, rating.er}];
  }

  std::printf("file: %s (every %ld, limit %ld)\n", path.c_str(), options.every, options.limit);
  std::printf("puzzles: %zu on %d threads\n", puzzles.size(), options.threads);
  std::printf("seconds wall: %.2f\n", wall);
  std::printf("ms per puzzle: %.3f (wall time x threads / puzzles: %.3f)\n",
              busy / double(puzzles.size()), wall * 1000 * options.threads / puzzles.size());
  const auto share = [&](long n) { return compared ? 100.0 * double(n) / double(compared) : 0; };
  std::printf("ER as SE's: %.2f%%, within 0.1: %.2f%%, within 0.2: %.2f%%, within 0.3: %.2f%% "
              "(of %ld)\n",
              share(within[0]), share(within[1]), share(within[2]), share(within[3]), compared);
  std::printf("20.0: %ld (no solution %ld, several solutions %ld, no logical step %ld)\n",
              unfinished, reasons[int(TRatingResult::NoSolution)],
              reasons[int(TRatingResult::SeveralSolutions)],
              reasons[int(TRatingResult::NoLogicalStep)]);

  std::vector<std::pair<long, std::pair<int, int>>> byCount;
  for (const auto &[pair, count] : pairs)
    byCount.push_back({count, pair});
  std::stable_sort(byCount.begin(), byCount.end(),
                   [](const auto &a, const auto &b) { return a.first > b.first; });
  std::printf("\ndisagreements: %zu pairs, the most frequent:\n%6s  %6s  %7s\n", byCount.size(),
              "SE ER", "our ER", "puzzles");
  for (std::size_t k = 0; k < std::min<std::size_t>(30, byCount.size()); ++k)
    std::printf("%6s  %6s  %7ld\n", RatingText(byCount[k].second.first).c_str(),
                RatingText(byCount[k].second.second).c_str(), byCount[k].first);
  PrintSlowest(puzzles, rated);

  if (!options.mismatches.empty()) {
    std::ofstream out(options.mismatches);
    out << "puzzle\tSE ER\tER/EP/ED\thardest\n";
    long written = 0;
    for (std::size_t i = 0; i < puzzles.size(); ++i)
      if (puzzles[i].se >= 0 && rated[i].rating.er != puzzles[i].se) {
        out << puzzles[i].line << '\t' << RatingText(puzzles[i].se) << '\t'
            << Ratings(rated[i].rating) << '\t' << TechniqueName(rated[i].rating.hardest) << '\n';
        ++written;
      }
    if (!out) {
      std::fprintf(stderr, "bench_rate: cannot write %s\n", options.mismatches.c_str());
      return 1;
    }
    std::printf("\n%ld mismatches written to %s\n", written, options.mismatches.c_str());
  }
  return 0;
}

int Files(const TOptions &options) {
  constexpr double Long = 10000; // ms
  std::printf("%-32s %8s %10s %10s %12s %6s  %s\n", "file", "puzzles", "seconds", "mean ms",
              "worst ms", "> 10 s", "worst puzzle");
  long over = 0;
  for (const std::string &path : options.files) {
    std::vector<TPuzzle> puzzles;
    for (const std::string &line : ReadPuzzleFile(path))
      puzzles.push_back({line.substr(0, 81), -1});
    if (puzzles.empty()) {
      std::printf("%-32s no puzzles\n", std::filesystem::path(path).filename().c_str());
      continue;
    }
    WarmUp(puzzles);
    std::vector<TRated> rated(puzzles.size());
    const auto start = Clock::now();
    InParallel(puzzles.size(), options.threads,
               [&](std::size_t i) { rated[i] = Rate(puzzles[i].line); });
    const double wall = Seconds(Clock::now() - start);
    std::size_t worst = 0;
    long fileOver = 0;
    double busy = 0;
    for (std::size_t i = 0; i < rated.size(); ++i) {
      busy += rated[i].ms;
      fileOver += rated[i].ms > Long;
      if (rated[i].ms > rated[worst].ms)
        worst = i;
    }
    over += fileOver;
    std::printf("%-32s %8zu %10.2f %10.3f %12.1f %6ld  %s %s\n",
                std::filesystem::path(path).filename().c_str(), puzzles.size(), wall,
                busy / double(puzzles.size()), rated[worst].ms, fileOver,
                puzzles[worst].line.c_str(), Ratings(rated[worst].rating).c_str());
  }
  std::printf("\npuzzles over 10 s: %ld\n", over);
  return 0;
}

// Every step of every path against the solution: an elimination of the
// solution's digit or a placement of another is a wrong step.
int Sound(const std::string &path, const TOptions &options) {
  const std::vector<TPuzzle> puzzles = ReadRated(path, options);
  struct TCheck {
    int solutions = 0;
    long steps = 0, wrongSteps = 0, wrongEliminations = 0, wrongPlacements = 0;
    bool unfinished = false;
  };
  std::vector<TCheck> checks(puzzles.size());
  const auto start = Clock::now();
  InParallel(puzzles.size(), options.threads, [&](std::size_t i) {
    const TCandidateGrid grid = TCandidateGrid::FromText(puzzles[i].line.c_str());
    const TSolutionCount count = CountSolutions(grid);
    TCheck &check = checks[i];
    check.solutions = count.count;
    TRatingOptions rating;
    rating.keepPath = true;
    const TRating rated = RatePuzzle(grid, rating);
    check.unfinished = rated.er == 200;
    if (count.count != 1)
      return;
    for (const TStep &step : rated.path) {
      long eliminated = 0, placed = 0;
      for (const TCandidate &c : step.eliminations)
        eliminated += count.solution[c.cell] == c.digit;
      for (const TCandidate &c : step.placements)
        placed += count.solution[c.cell] != c.digit;
      check.wrongEliminations += eliminated;
      check.wrongPlacements += placed;
      ++check.steps;
      check.wrongSteps += eliminated + placed > 0;
    }
  });
  const double wall = Seconds(Clock::now() - start);
  long unique = 0, steps = 0, wrongSteps = 0, wrongEliminations = 0, wrongPlacements = 0;
  long unfinished = 0, wrongPuzzles = 0;
  for (const TCheck &check : checks) {
    unique += check.solutions == 1;
    steps += check.steps;
    wrongSteps += check.wrongSteps;
    wrongEliminations += check.wrongEliminations;
    wrongPlacements += check.wrongPlacements;
    unfinished += check.unfinished;
    wrongPuzzles += check.wrongSteps > 0;
  }
  std::printf("file: %s (every %ld, limit %ld)\n", path.c_str(), options.every, options.limit);
  std::printf("puzzles: %zu on %d threads, %.2f seconds wall\n", puzzles.size(), options.threads,
              wall);
  std::printf("with one solution: %ld\n", unique);
  std::printf("steps: %ld\n", steps);
  std::printf("wrong steps: %ld in %ld puzzles (%ld solution digits eliminated, %ld wrong "
              "digits placed); must be 0\n",
              wrongSteps, wrongPuzzles, wrongEliminations, wrongPlacements);
  std::printf("20.0: %ld\n", unfinished);
  for (std::size_t i = 0, shown = 0; i < checks.size() && shown < 10; ++i)
    if (checks[i].wrongSteps > 0) {
      std::printf("wrong: %s\n", puzzles[i].line.c_str());
      ++shown;
    }
  return wrongSteps == 0 ? 0 : 1;
}

bool Number(const char *text, long &value) {
  char *end = nullptr;
  value = std::strtol(text, &end, 10);
  return end != text && *end == '\0' && value > 0;
}

} // namespace

int main(int argc, char **argv) {
  TOptions options;
  std::string rated = NINEGROVE_BENCH_DATA "/cb000_ser.tsv";
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    const bool valued = argument == "--threads" || argument == "--limit" || argument == "--every" ||
                        argument == "--list-mismatches";
    if (valued && i + 1 == argc) {
      std::fprintf(stderr, "bench_rate: %s needs a value\n", argv[i]);
      return 2;
    }
    long value = 0;
    if (argument == "--files") {
      options.mode = TOptions::Files;
    } else if (argument == "--sound") {
      options.mode = TOptions::Sound;
    } else if (argument == "--list-mismatches") {
      options.mismatches = argv[++i];
    } else if (valued) {
      if (!Number(argv[++i], value)) {
        std::fprintf(stderr, "bench_rate: %s needs a positive number\n", argv[i - 1]);
        return 2;
      }
      if (argument == "--threads")
        options.threads = int(value);
      else if (argument == "--limit")
        options.limit = value;
      else
        options.every = value;
    } else if (argument.starts_with("--")) {
      std::fprintf(stderr, "bench_rate: unknown option %s\n", argv[i]);
      return 2;
    } else {
      options.files.emplace_back(argument);
    }
  }
  std::printf("compiler: %s %s\nflags: %s\n\n", NINEGROVE_COMPILER, __VERSION__, NINEGROVE_FLAGS);
  if (options.mode == TOptions::Files)
    return Files(options);
  if (options.files.size() > 1) {
    std::fprintf(stderr, "bench_rate: one rated file at a time\n");
    return 2;
  }
  if (!options.files.empty())
    rated = options.files.front();
  return options.mode == TOptions::Sound ? Sound(rated, options) : Compare(rated, options);
}
