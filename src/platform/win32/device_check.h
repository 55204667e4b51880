// Why a drive device of Windows (\\.\E:, \\.\CdRom0, ...) cannot be used: it cannot be opened,
// or the system refuses to pass the program's commands to it.
#pragma once

#include <optional>
#include <string>

#include "platform/drive_diagnostics.h"

namespace platform::win32 {

// Opens `device` as the program does and sends it TEST UNIT READY, which changes nothing on
// the drive; none when both work (whatever the drive answers).
std::optional<DriveProblem> CheckDevice(const std::string& device);

// The reason for a failed open or a refused command: the system's own message for `error`
// and, for a missing right, what the program needs and how to get it.
std::string ExplainAccessError(unsigned long error);

}  // namespace platform::win32
