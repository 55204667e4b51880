// Why a CD-ROM device of this machine cannot be used, in plain words and with what to do.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct DriveProblem {
  std::string device;  // "/dev/sr0"
  std::string reason;  // what is wrong and what to do
  // The device exists but cannot be opened at all, so it is missing from the drive list (as
  // against a drive that works with less: read-only, without its sg node).
  bool unopened = false;
};

// Checks every CD-ROM device the system lists: whether it can be opened for commands, and
// on Linux whether its sg node (needed for the vendor commands of an unprivileged user) is
// usable.
std::vector<DriveProblem> DiagnoseDrives();

}  // namespace platform
