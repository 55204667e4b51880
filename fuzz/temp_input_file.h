// The fuzzer's input as a file on disk, for the readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace fuzz {

// Writes the input to a per-process file named after `tag` and returns its path, or an
// empty string when the file cannot be written.
inline std::string WriteInputFile(const char* tag, const uint8_t* bytes, size_t size) {
  const std::string path =
      std::string("/tmp/quillrate-fuzz-") + tag + "-" + std::to_string(::getpid());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return {};
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  if (std::fclose(file) != 0 || !written) return {};
  return path;
}

}  // namespace fuzz
