// The block layer's command filter, seen by an unprivileged user: the vendor media-ID
// command (DFh) is refused on any open of the block device, MODE SELECT on a read-only one.
// A refused command is a failed command unless the drive's sg node opens read-write.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "media/media_id.h"
#include "vm/checker.h"

namespace vm {
namespace {

constexpr const char* kBlockNode = "/dev/sr2";
constexpr const char* kSgNode = "/dev/sg2";
constexpr uint8_t kModeSelect = 0x55;
constexpr uint8_t kVendorMediaId = 0xDF;
constexpr uint8_t kIllegalRequest = 0x05;

// "/dev/sr2 DFh errno 1, ..." for the calls since `from`.
std::string Describe(const std::vector<LoggedSgIo>& log, size_t from) {
  std::string text;
  for (size_t i = from; i < log.size(); ++i) {
    char call[64];
    std::snprintf(call, sizeof call, "%s %02Xh errno %d, ", log[i].node.c_str(), log[i].opcode,
                  log[i].error);
    text += call;
  }
  return text;
}

// The calls since `from` are exactly these (node, opcode, errno).
bool Calls(const Checker& c, size_t from, const std::vector<LoggedSgIo>& expected) {
  if (c.kernel.sgIos.size() - from != expected.size()) return false;
  for (size_t i = 0; i < expected.size(); ++i) {
    const LoggedSgIo& got = c.kernel.sgIos[from + i];
    if (got.node != expected[i].node || got.opcode != expected[i].opcode ||
        got.error != expected[i].error) {
      return false;
    }
  }
  return true;
}

size_t OpensOf(const Checker& c, const std::string& path, int access, bool succeeded) {
  size_t n = 0;
  for (const LoggedOpen& open : c.kernel.opens) {
    if (open.path == path && (open.flags & O_ACCMODE) == access &&
        (open.result >= 0) == succeeded) {
      ++n;
    }
  }
  return n;
}

}  // namespace

void CheckCommandFilter(Checker& c, bool cdromGroup) {
  device::AtapiDevice& d = *c.device;
  c.Check(::geteuid() != 0, "runs without root");
  c.Check(d.GetDriveCount() == 3, "every drive is listed", std::to_string(d.GetDriveCount()));
  if (!c.Select(kDvdDrive)) return;
  d.WaitUntilReady(30);
  if (cdromGroup) {
    c.Check(OpensOf(c, kBlockNode, O_RDWR, true) > 0 && OpensOf(c, kBlockNode, O_RDONLY, true) == 0,
            "the block device opens read-write");
  } else {
    c.Check(OpensOf(c, kBlockNode, O_RDWR, false) > 0 && OpensOf(c, kBlockNode, O_RDONLY, true) > 0,
            "the block device opens read-only after read-write is refused");
  }

  size_t mark = c.Mark();
  const bool vendor = d.ReadVendorMediaId();
  if (cdromGroup) {
    // Refused on the block device, sent again through the sg node, rejected by the drive.
    c.Check(!vendor && d.SenseKeyIs(kIllegalRequest) &&
                Calls(c, mark, {{kBlockNode, kVendorMediaId, EPERM}, {kSgNode, kVendorMediaId, 0}}),
            "the refused vendor command reaches the drive through the sg node",
            Describe(c.kernel.sgIos, mark));
  } else {
    c.Check(!vendor && d.SenseKey() == 0 && Calls(c, mark, {{kBlockNode, kVendorMediaId, EPERM}}),
            "the refused vendor command is a failed command", Describe(c.kernel.sgIos, mark));
  }

  mark = c.Mark();
  const bool selected = d.ModeSelect10(0, 24, 0);
  if (cdromGroup) {
    c.Check(Calls(c, mark, {{kBlockNode, kModeSelect, 0}}),
            "MODE SELECT on a read-write open goes to the drive", Describe(c.kernel.sgIos, mark));
  } else {
    c.Check(!selected && Calls(c, mark, {{kBlockNode, kModeSelect, EPERM}}),
            "MODE SELECT on a read-only open is a failed command", Describe(c.kernel.sgIos, mark));
  }

  // The report's media-ID step falls back to the pre-recorded information, which the drive
  // does not have either: no ID lines, as for root.
  mark = c.Mark();
  const media::MinusMid mid =
      media::ReadMinusMediaId(d, media::DriveKind::DvdPlusRPlusRw, media::DiscKind::DvdPlusRw);
  c.Check(mid == media::MinusMid{} && c.kernel.sgIos.back().node == kBlockNode &&
              c.kernel.sgIos.back().opcode == 0xAD && c.kernel.sgIos.back().error == 0,
          "without a media ID the report falls back to the disc structure, then to no ID",
          Describe(c.kernel.sgIos, mark));
  // One attempt, read-write only, for the first refused command of this open drive.
  size_t sgOpens = 0;
  for (const LoggedOpen& open : c.kernel.opens) sgOpens += open.path == kSgNode ? 1 : 0;
  c.Check(sgOpens == 1 && OpensOf(c, kSgNode, O_RDWR, cdromGroup) == 1,
          cdromGroup ? "the sg node is opened read-write once"
                     : "the sg node, which the user may not open read-write, is tried once");
}

}  // namespace vm
