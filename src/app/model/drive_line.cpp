#include "app/model/drive_line.h"

#include "media/drive_kind.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace app::model {

std::string DriveField(std::string_view root) {
  if (!root.empty() && root.back() == '\\') root.remove_suffix(1);
  // A drive letter root keeps the letter and colon only, as the two-character field did.
  if (root.size() >= 2 && root[1] == ':') root = root.substr(0, 2);
  return std::string(root);
}

std::string DriveComboLine(const device::DriveEntry& entry) {
  std::string field = DriveField(text::TextOf(entry.RootPath));
  // A drive letter takes the two characters the line was made for; a device name (sr0) is
  // longer, and a full 24-character identity would run into it without a space.
  const bool letter = field.size() == 2 && field[1] == ':';
  if (!field.empty() && !letter) field += ' ';
  std::string line =
      text::FormatC("%2d-%d-%d-%d %s%24s %4s", entry.Adapter, entry.Bus, entry.Target, entry.Lun,
                    field.c_str(), std::string(text::TextOf(entry.DisplayName)).c_str(),
                    std::string(text::TextOf(entry.Revision)).c_str());
  if (line.size() > 254) line.resize(254);
  return line;
}

bool ListsDrive(const device::DriveEntry& entry) {
  return media::IsWriter(entry);
}

}  // namespace app::model
