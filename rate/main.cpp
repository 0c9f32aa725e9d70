// ninegrove-rate: rates puzzles on the scale that rated puzzle lists use.
#include "orderedrater.h"
#include "puzzletext.h"
#include "ratedtext.h"
#include "version.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *Program = "ninegrove-rate";

enum TExit { ExitGood = 0, ExitBadInput = 1, ExitUsage = 2 };

constexpr const char *HelpText =
    "Usage: ninegrove-rate [--explain] [--threads N] [FILE]...\n"
    "Rates Sudoku puzzles as rated puzzle lists do and prints, for each puzzle in input\n"
    "order, its 81 cells and ED=ER/EP/ED. Reads each FILE, or standard input when there\n"
    "is none or FILE is -. Puzzles are read in the forms Import Puzzles reads: one a\n"
    "line, or blocks of nine lines.\n"
    "\n"
    "  --explain      after each puzzle, list its steps: rating, technique and the step\n"
    "  --threads N    rate on N threads (default: one for each processor core)\n"
    "  -h, --help     show this help and exit\n"
    "  -v, --version  show the version and exit\n"
    "\n"
    "A puzzle that logic cannot finish (no solution, several solutions, or no further\n"
    "step) rates 20.0. Exit status: 0 when every line was a puzzle and every file was\n"
    "read, 1 when some input was bad, 2 for a wrong command line.\n";

struct TArguments {
  TExplain explain = TExplain::No;
  int threads = 0;
  std::vector<std::string> files;
};

int UsageError(const std::string &message) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", Program, message.c_str(),
               Program);
  return ExitUsage;
}

bool ParseThreads(std::string_view text, int &threads) {
  const char *end = text.data() + text.size();
  const auto [last, error] = std::from_chars(text.data(), end, threads);
  return error == std::errc() && last == end && threads >= 1 && threads <= 1024;
}

// Nothing when the arguments are good, else the exit status to end with.
std::optional<int> ParseArguments(int argc, char **argv, TArguments &arguments) {
  bool options = true;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (!options || argument == "-" || !argument.starts_with('-')) {
      arguments.files.emplace_back(argument);
    } else if (argument == "--") {
      options = false;
    } else if (argument == "-h" || argument == "--help") {
      std::fputs(HelpText, stdout);
      return ExitGood;
    } else if (argument == "-v" || argument == "--version") {
      std::printf("%s (Ninegrove) %s\n", Program, ProgramVersion);
      return ExitGood;
    } else if (argument == "--explain") {
      arguments.explain = TExplain::Steps;
    } else if (argument == "--threads" || argument.starts_with("--threads=")) {
      std::string_view value;
      if (argument != "--threads")
        value = argument.substr(std::strlen("--threads="));
      else if (i + 1 < argc)
        value = argv[++i];
      else
        return UsageError("--threads needs a number");
      if (!ParseThreads(value, arguments.threads))
        return UsageError("--threads needs a whole number from 1 to 1024, not '" +
                          std::string(value) + "'");
    } else {
      return UsageError("unknown option '" + std::string(argument) + "'");
    }
  }
  if (arguments.files.empty())
    arguments.files.emplace_back("-");
  if (arguments.threads == 0)
    arguments.threads = int(std::max(1u, std::thread::hardware_concurrency()));
  return std::nullopt;
}

// Standard error: messages about the input, and while rating takes its time a
// progress line that each message and the end clear.
class TStatus {
public:
  TStatus() : m_terminal(isatty(fileno(stderr)) != 0) {}

  void Message(const std::string &text) {
    std::lock_guard lock(m_mutex);
    ClearLine();
    std::fprintf(stderr, "%s: %s\n", Program, text.c_str());
  }

  void Progress(std::uint64_t rated, std::uint64_t read, bool allRead) {
    if (!m_terminal)
      return;
    std::lock_guard lock(m_mutex);
    const auto now = std::chrono::steady_clock::now();
    if (now - m_start < std::chrono::seconds(1) ||
        (m_width > 0 && now - m_drawn < std::chrono::milliseconds(100)))
      return;
    m_drawn = now;
    std::string line = "rated " + std::to_string(rated);
    if (allRead)
      line += " of " + std::to_string(read);
    const std::size_t width = line.size();
    line.resize(std::max(width, m_width), ' ');
    std::fprintf(stderr, "\r%s", line.c_str());
    std::fflush(stderr);
    m_width = width;
  }

  void Finish() {
    std::lock_guard lock(m_mutex);
    ClearLine();
  }

private:
  void ClearLine() {
    if (m_width == 0)
      return;
    std::fprintf(stderr, "\r%s\r", std::string(m_width, ' ').c_str());
    std::fflush(stderr);
    m_width = 0;
  }

  const bool m_terminal;
  const std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
  std::mutex m_mutex;
  std::chrono::steady_clock::time_point m_drawn;
  std::size_t m_width = 0; // of the progress line on the screen, 0 when none is
};

// What a skipped line looked like, short and printable.
std::string Excerpt(QByteArrayView text) {
  constexpr qsizetype Shown = 90; // a line of 81 cells and a little more
  std::string excerpt;
  for (qsizetype i = 0; i < std::min(text.size(), Shown); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    excerpt += c < 0x20 || c == 0x7F ? ' ' : char(c);
  }
  if (text.size() > Shown)
    excerpt += "...";
  return excerpt;
}

// Feeds one file, or standard input for "-", to the rater; false when the
// file could not be read or held a line that is no puzzle.
bool ReadPuzzles(const std::string &file, TOrderedRater<TPuzzleCells> &rater, TStatus &status,
                 std::atomic<std::uint64_t> &puzzlesRead) {
  const bool standardInput = file == "-";
  const std::string name = standardInput ? "standard input" : file;
  const int descriptor = standardInput ? STDIN_FILENO : ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    status.Message(name + ": cannot read: " + std::strerror(errno));
    return false;
  }
  bool good = true;
  TPuzzleTextReader reader([&](const TTextPuzzle &puzzle) {
    rater.Add(puzzle.cells);
    ++puzzlesRead;
  });
  reader.SetSkippedLine([&](qint64 line, QByteArrayView text) {
    status.Message(name + ':' + std::to_string(line) + ": not a puzzle: " + Excerpt(text));
    good = false;
  });
  // read() rather than fread(): a pipe's puzzles are rated as they arrive,
  // not once a buffer's worth has come.
  std::vector<char> buffer(1 << 16);
  for (;;) {
    const ssize_t size = ::read(descriptor, buffer.data(), buffer.size());
    if (size < 0 && errno == EINTR)
      continue;
    if (size < 0) {
      status.Message(name + ": cannot read: " + std::strerror(errno));
      good = false;
      break;
    }
    if (size == 0) {
      reader.Finish();
      break;
    }
    reader.Feed(QByteArrayView(buffer.data(), qsizetype(size)));
  }
  if (!standardInput)
    ::close(descriptor);
  return good;
}

} // namespace

int main(int argc, char **argv) {
  TArguments arguments;
  if (const std::optional<int> exit = ParseArguments(argc, argv, arguments))
    return *exit;

  TStatus status;
  std::atomic<std::uint64_t> puzzlesRead = 0;
  std::atomic<bool> allRead = false;
  bool good = true;
  {
    TOrderedRater<TPuzzleCells> rater(
        arguments.threads, 16 * std::size_t(arguments.threads) + 16,
        [&](const TPuzzleCells &cells) { return RatedText(cells, arguments.explain); },
        [](const std::string &text) { std::fwrite(text.data(), 1, text.size(), stdout); },
        [&](std::uint64_t rated) {
          // Results leave as they come, not when a buffer fills.
          std::fflush(stdout);
          status.Progress(rated, puzzlesRead, allRead);
        });
    for (const std::string &file : arguments.files)
      good = ReadPuzzles(file, rater, status, puzzlesRead) && good;
    allRead = true;
    rater.Finish();
  }
  status.Finish();
  if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
    status.Message(std::string("cannot write the output: ") + std::strerror(errno));
    return ExitBadInput;
  }
  return good ? ExitGood : ExitBadInput;
}
