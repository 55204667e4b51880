#include "cli/disc_status_query.h"

#include "cli/drive_choice.h"
#include "cli/drive_watch.h"
#include "cli/session.h"
#include "media/disc_status_text.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {

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

}  // namespace cli
