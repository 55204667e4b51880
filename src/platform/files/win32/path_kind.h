// What stands at a path on Windows, decided without opening anything for reading or writing.
// A reparse point (a symbolic link or a junction) is followed, as a symbolic link is on Linux.
#pragma once

#include <string>

namespace platform {

struct PathKind {
  enum Kind { Missing, BrokenLink, Folder, NotAFile, File, Unknown } kind = Missing;
  bool viaLink = false;     // the path itself is a reparse point
  unsigned long error = 0;  // Unknown: the system's error code
  std::string text;         // in plain words, for all but File and Missing
};

PathKind InspectPath(const std::wstring& path);

}  // namespace platform
