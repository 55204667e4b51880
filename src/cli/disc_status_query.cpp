#include "cli/disc_status_query.h"

#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/session.h"
#include "media/disc_status_text.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {
namespace {

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json NameOrNull(const char* name) {
  return *name != '\0' ? nlohmann::ordered_json(name) : nlohmann::ordered_json(nullptr);
}

}  // namespace

std::optional<DiscStatusQuery> QueryDiscStatus(Session& session, int requestedDrive, int& exit) {
  const auto index = ChooseDrive(session, requestedDrive, exit);
  if (!index) return std::nullopt;
  DiscStatusQuery query;
  query.index = *index;
  device::AtapiDevice& device = session.Device();
  DriveWatch watch(session, device, *index);
  query.status = media::ReadDiscStatus(device);
  query.stoppedAnswering = watch.StoppedAnswering("the disc status");
  return query;
}

std::string DriveHeading(Session& session, int index) {
  const device::DriveEntry& entry = *session.Device().GetDriveEntry(static_cast<unsigned>(index));
  return text::VisibleText(text::FormatC(
      "Drive %d: %s %s", index, text::TrimTrailingBlanks(text::TextOf(entry.Vendor)).c_str(),
      text::TrimTrailingBlanks(text::TextOf(entry.Product)).c_str()));
}

nlohmann::ordered_json DiscStatusJson(const media::DiscStatus& status) {
  nlohmann::ordered_json json;
  json["disc"] = status.disc;
  json["disc_status"] = NameOrNull(media::DiscStateName(status.state));
  json["erasable"] = OrNull(status.erasable);
  json["sessions"] = OrNull(status.sessions);
  json["last_session_state"] = NameOrNull(media::SessionStateName(status.lastSession));
  json["free_blocks"] = OrNull(status.freeBlocks);
  json["free_bytes"] = OrNull(status.FreeBytes());
  json["recorded_blocks"] = OrNull(status.recordedBlocks);
  return json;
}

}  // namespace cli
