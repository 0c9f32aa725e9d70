// Arbitrary boards through Propagate and SearchSolution: any cell text, as an
// old or damaged library file may hold, must end without a crash or a hang.
#include "engine.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  // Each cell: a length byte (0 to 15), then that many bytes of text.
  TGrid board;
  std::size_t at = 0;
  for (int cell = 0; cell < 81 && at < size; ++cell) {
    const std::size_t length = data[at++] % 16;
    const std::size_t take = length < size - at ? length : size - at;
    board[cell % 9][cell / 9].Text.assign(reinterpret_cast<const char *>(data + at), take);
    at += take;
  }
  const TGrid original = board;
  TSeededRandom random(1);
  Propagate(board);
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      const std::string &text = board[c][r].Text;
      // The engine rewrites every text but the one-character ones.
      if (text.size() == 1 ? text != original[c][r].Text && (text[0] < '1' || text[0] > '9')
                           : text.size() > 9)
        std::abort();
    }
  // A smaller guess limit than the program's keeps every run within the
  // fuzzer's time-out under its instrumentation; hangs elsewhere still show.
  const TSearchResult result = SearchSolution(board, random, nullptr, 100'000);
  if (result == TSearchResult::Solved && BoardState(board) != bsComplete)
    std::abort();
  return 0;
}
