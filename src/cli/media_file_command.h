// `quillrate-cli media-file check|use|remove`: the user media file, checked line by line,
// registered and loaded, or unregistered.
#pragma once

#include <iosfwd>

#include "custom/user_media_file.h"

namespace cli {

void PrintUserMediaFileCheck(const custom::UserMediaFileCheck& check, bool json, std::ostream& out);

}  // namespace cli
