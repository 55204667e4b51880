// Arbitrary bytes as a user media file: NULs, CR, very long lines, non-ASCII. The loader
// and the checker must agree on what they take, and every row must be well formed.
#include <cstdlib>
#include <string>

#include "custom/user_media_file.h"
#include "temp_input_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string path = fuzz::WriteInputFile("media", bytes, size);
  if (path.empty()) return 0;
  const custom::UserMediaFileCheck check = custom::CheckUserMediaFile(path);
  size_t lines = 0;
  custom::ReadUserMediaFile(path, [&](const custom::UserMediaLinePosition&, std::string_view line) {
    if (line.size() > 2047) std::abort();
    ++lines;
  });
  if (check.TakenRows() + check.skippedLines + check.headers > lines ||
      check.taken.size() > check.TakenRows() || check.skipped.size() > check.skippedLines)
    std::abort();
  return 0;
}
