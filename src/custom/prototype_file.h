// The prototype of a build: the executable file whose copy becomes the new edition.
#pragma once

#include <string>

#include "platform/files/input_file.h"
#include "platform/files/program_file.h"

namespace custom {

// Reads the whole file: no bytes, and why, when it is not a regular file, cannot be opened or
// read, cannot be held in memory, or changed while it was read (a prototype being rebuilt).
platform::FileContents LoadPrototype(const std::string& path = platform::RunningProgramPath());

}  // namespace custom
