// What the details view reads from the selected drive: the disc's status and free space, and
// the full write-speed table with its verdict, exactly as the terminal companion's `status`
// and `speeds` read them. Runs on the device thread.
#pragma once

#include <optional>
#include <string>

#include "media/disc_status.h"
#include "media/kinds.h"
#include "media/speed_table.h"

namespace device {
class AtapiDevice;
}

namespace app::model {

struct DiscDetails {
  media::DiscStatus status;
  media::DiscKind discKind = media::DiscKind::None;
  media::SpeedTable table;
  std::optional<std::string> verdict;
};

// The status first (it changes nothing on the drive), then the speed query, which like the
// report asks the drive for its highest speeds and leaves it there.
DiscDetails ReadDiscDetails(device::AtapiDevice& device);

}  // namespace app::model
