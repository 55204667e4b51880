#include "custom/property_file.h"

namespace custom {

UserMediaFileStatus ReadPropertyFile(const std::string& path, std::vector<std::string>& lines) {
  std::vector<std::string> read;
  const UserMediaFileStatus status = ReadUserMediaFile(
      path,
      [&](const UserMediaLinePosition&, std::string_view piece) { read.emplace_back(piece); });
  if (status == UserMediaFileStatus::Read) lines = std::move(read);
  return status;
}

}  // namespace custom
