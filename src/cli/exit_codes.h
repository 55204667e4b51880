// Exit statuses of quillrate-cli.
#pragma once

namespace cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitFailure = 1,       // the command ran and failed (for example a file could not be written)
  kExitUsage = 2,         // bad command line
  kExitFixture = 3,       // the simulated machine could not be loaded
  kExitNoDrive = 4,       // no drive found, or the chosen drive does not exist
  kExitNoFile = 5,        // the named file does not exist or cannot be read
  kExitNoBlock = 6,       // the executable carries no complete customization block
  kExitBadProperty = 7,   // a line of the property file stopped the build
  kExitNoAnswer = 8,      // the drive stopped answering while it was asked
  kExitNoAccess = 9,      // the drive exists but cannot be opened (no permission, busy)
  kExitNoDisc = 10,       // status, fits, speeds: the drive holds no disc
  kExitFinished = 11,     // fits: the disc is finished (closed), nothing more can be written
  kExitUnknownFree = 12,  // fits: the drive does not say how much of the disc is free
};

}  // namespace cli
