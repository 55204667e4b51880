// The builder's property file: read as lines, the same way the user media file is read.
#pragma once

#include <string>
#include <vector>

#include "custom/user_media_file.h"

namespace custom {

// Fills `lines` with the file's lines, each cut into pieces of at most 2047 characters (the
// line end counted) and without its line end. Only a regular file counts as a file. Unless
// the result is Read, `lines` is left as it was.
UserMediaFileResult ReadPropertyFile(const std::string& path, std::vector<std::string>& lines);

}  // namespace custom
