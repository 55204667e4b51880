#include "media/disc_status_json.h"

#include "media/disc_status_text.h"

namespace media {
namespace {

template <typename T>
nlohmann::ordered_json OrNull(const std::optional<T>& value) {
  return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

nlohmann::ordered_json NameOrNull(const char* name) {
  return *name != '\0' ? nlohmann::ordered_json(name) : nlohmann::ordered_json(nullptr);
}

}  // namespace

nlohmann::ordered_json DiscStatusJson(const DiscStatus& status) {
  nlohmann::ordered_json json;
  json["disc"] = status.disc;
  json["disc_status"] = NameOrNull(DiscStateName(status.state));
  json["erasable"] = OrNull(status.erasable);
  json["sessions"] = OrNull(status.sessions);
  json["last_session_state"] = NameOrNull(SessionStateName(status.lastSession));
  json["free_blocks"] = OrNull(status.freeBlocks);
  json["free_bytes"] = OrNull(status.FreeBytes());
  json["recorded_blocks"] = OrNull(status.recordedBlocks);
  return json;
}

}  // namespace media
