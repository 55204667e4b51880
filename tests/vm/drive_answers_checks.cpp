// What the emulated drive answers on a real kernel, as root.
#include <cstdio>

#include "media/atip.h"
#include "media/media_id.h"
#include "media/write_speed.h"
#include "platform/linux/sysfs_drives.h"
#include "vm/checker.h"

namespace vm {
namespace {

constexpr uint8_t kIllegalRequest = 0x05;
constexpr uint8_t kNotReady = 0x02;
constexpr uint8_t kNoMedium = 0x3A;
constexpr uint8_t kInvalidOpcode = 0x20;

std::string Sense(const device::AtapiDevice& device) {
  char text[32];
  std::snprintf(text, sizeof text, "sense %X/%02X", device.SenseKey(), device.Asc());
  return text;
}

uint16_t CurrentProfile(Checker& c) {
  return c.device->GetConfiguration(0, 0, 8, 0) ? c.device->Answer().BE16(6) : 0xFFFF;
}

// The command went to the block device and came back from the drive, not from the kernel.
bool ReachedTheDrive(const Checker& c, size_t from, const std::string& node) {
  if (c.kernel.sgIos.size() <= from) return false;
  for (size_t i = from; i < c.kernel.sgIos.size(); ++i) {
    if (c.kernel.sgIos[i].node != node || c.kernel.sgIos[i].error != 0) return false;
  }
  return true;
}

}  // namespace

void CheckDriveAnswers(Checker& c) {
  device::AtapiDevice& d = *c.device;
  if (c.Select(kCdDrive)) {
    d.WaitUntilReady(30);
    c.Check(d.TestUnitReady(), "TEST UNIT READY with a medium", Sense(d));
    const uint16_t profile = CurrentProfile(c);
    c.Check(profile == 0x0008, "a CD-sized image is the CD-ROM profile", std::to_string(profile));
    // The emulated drive takes the format from byte 9 and answers with the TOC.
    const bool answered = d.ReadTocPmaAtip(0, 4, 0, 24, 0);
    c.Check(answered && !media::IsAtipAnswer(d), "no ATIP: the answer is the table of contents",
            answered ? "marker bits set" : Sense(d));
  }
  if (c.Select(kEmptyDrive)) {
    d.ClearUnitAttention();
    const bool ready = d.TestUnitReady();
    c.Check(!ready && d.SenseIs(kNotReady, kNoMedium), "TEST UNIT READY without a medium",
            Sense(d));
  }
  if (c.Select(kDvdDrive)) {
    d.WaitUntilReady(30);
    const uint16_t profile = CurrentProfile(c);
    c.Check(profile == 0x0010, "a DVD-sized image is the DVD-ROM profile", std::to_string(profile));
    const bool pfi = d.ReadDiscStructure(0, 0, 0x00, 20, 0, 0);
    c.Check(pfi && d.Answer().BE32(8) == 0, "the data area starts at 0, not at 030000h",
            pfi ? std::to_string(d.Answer().BE32(8)) : Sense(d));

    size_t mark = c.Mark();
    const bool formats = d.ReadFormatCapacities(96, 0);
    c.Check(!formats && d.SenseIs(kIllegalRequest, kInvalidOpcode) &&
                ReachedTheDrive(c, mark, "/dev/sr2"),
            "READ FORMAT CAPACITIES is rejected by the drive", Sense(d));
    c.Check(media::ReadFormattedCapacity(d) == 0, "no formatted capacity: none is shown");

    mark = c.Mark();
    c.Check(media::SetMaxStreaming(d).empty() && ReachedTheDrive(c, mark, "/dev/sr2"),
            "GET PERFORMANCE is rejected: no write speeds");
    c.Check(media::ReadDvdWriteSpeed(d) == 0, "no write speed");

    // Root passes the block layer's filter: the vendor command reaches the drive, which
    // does not know it.
    mark = c.Mark();
    const bool vendor = d.ReadVendorMediaId();
    c.Check(!vendor && d.SenseIs(kIllegalRequest, kInvalidOpcode) &&
                ReachedTheDrive(c, mark, "/dev/sr2"),
            "the vendor media-ID command reaches the drive and is rejected", Sense(d));
    const media::MinusMid mid =
        media::ReadMinusMediaId(d, media::DriveKind::DvdPlusRPlusRw, media::DiscKind::DvdPlusRw);
    c.Check(mid == media::MinusMid{}, "no media ID: the ID lines are left out");
  }
  c.Check(platform::SrSgNode(platform::RealKernel(), kDvdDrive) == "/dev/sg2",
          "the sg node of sr2 is sg2");
}

}  // namespace vm
