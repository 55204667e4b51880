// One pass-through request as one SG_IO call, and what the kernel's answer means.
#pragma once

#include "platform/linux/kernel_calls.h"
#include "platform/system.h"

namespace platform {

struct SgIoResult {
  bool ok = false;  // the drive answered: GOOD, or CHECK CONDITION with sense data
  int error = 0;    // the errno when the ioctl itself failed
};

// Sends `request` on `fd`. On return the request holds the SCSI status, the sense data in
// fixed format and, in DataTransferLength, the bytes moved (0 when the call failed).
SgIoResult SendSgIo(KernelCalls& kernel, int fd, PassThroughRequest& request);

}  // namespace platform
