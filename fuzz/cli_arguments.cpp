// Arbitrary command lines on the simulated demonstration machine: the parser must reject
// or run them, never crash. Arguments are the NUL-separated pieces of the input.
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Commands that keep settings must not touch the real user's files.
  setenv("XDG_CONFIG_HOME", "/tmp/quillrate-fuzz-config", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  std::vector<std::string> args{"--simulate"};
  std::string current;
  for (size_t i = 0; i < size && args.size() < 12; ++i) {
    if (bytes[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(bytes[i]);
    }
  }
  if (!current.empty()) args.push_back(current);
  // Nothing may write files: recordings, builds and copies stay out of the fuzzer's reach.
  // `watch` follows the drives until it is stopped, so it would only ever end as a timeout.
  for (const std::string& arg : args) {
    if (arg.find("capture") != std::string::npos || arg.find("build") != std::string::npos ||
        arg.find("simulate=") != std::string::npos || arg.find("watch") != std::string::npos) {
      return 0;
    }
  }
  std::ostringstream out, err;
  cli::RunCli(args, out, err);
  return 0;
}
