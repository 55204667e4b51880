#include "custom/property_file.h"

namespace custom {

UserMediaFileResult ReadPropertyFile(const std::string& path, std::vector<std::string>& lines) {
  std::vector<std::string> read;
  UserMediaFileResult result = ReadUserMediaFile(
      path,
      [&](const UserMediaLinePosition&, std::string_view piece) { read.emplace_back(piece); });
  if (result.status == UserMediaFileStatus::Read) lines = std::move(read);
  return result;
}

}  // namespace custom
