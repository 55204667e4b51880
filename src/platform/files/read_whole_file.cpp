// Reading a whole file through the one reader, the same on every system.
#include <new>
#include <stdexcept>

#include "platform/files/input_file.h"

namespace platform {

FileContents ReadWholeFile(const std::string& path, uint64_t maxBytes) {
  FileContents contents;
  InputFile file(path);
  if (!file.IsOpen()) {
    contents.problem = file.Problem();
    return contents;
  }
  const uint64_t size = file.Size();
  const std::string sizeText = " (" + std::to_string(size) + " bytes)";
  if (size > maxBytes) {
    contents.problem = {ReadFault::TooLarge, "too large" + sizeText};
    return contents;
  }
  try {
    contents.bytes.resize(static_cast<size_t>(size));
  } catch (const std::bad_alloc&) {
    contents.problem = {ReadFault::TooLarge, "too large to hold in memory" + sizeText};
    return contents;
  } catch (const std::length_error&) {
    contents.problem = {ReadFault::TooLarge, "too large to hold in memory" + sizeText};
    return contents;
  }
  size_t done = 0;
  ssize_t n = 1;
  while (done < contents.bytes.size() && n > 0) {
    n = file.Read(contents.bytes.data() + done, contents.bytes.size() - done);
    if (n > 0) done += static_cast<size_t>(n);
  }
  // Fewer bytes than its size, or more after them, and it was written while it was read.
  uint8_t more = 0;
  if (n > 0) n = file.Read(&more, 1);
  if (n >= 0 && (done != contents.bytes.size() || n > 0 || !file.CheckUnchanged())) {
    contents.problem = {ReadFault::Changed, kFileChangedText};
  } else if (n < 0) {
    contents.problem = file.Problem();
  }
  if (!contents.ok()) contents.bytes.clear();
  return contents;
}

}  // namespace platform
