// The running program's own executable file, and telling whether two paths name one file.
#pragma once

#include <string>

namespace platform {

// A path that reads the running program's executable file, even when it has been renamed or
// replaced since the program started (where the system can tell).
std::string RunningProgramPath();

// The executable file's own path, with links resolved; empty when the system cannot tell.
std::string RunningProgramFile();

// The file name of a program called `name` on this system ("quillrate", "quillrate.exe").
std::string ExecutableName(const std::string& name);

// True when the file that stands under `name` itself (a symbolic link there is not followed)
// is the file `path` leads to.
bool SameFile(const std::string& name, const std::string& path);

}  // namespace platform
