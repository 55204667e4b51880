// The pass-through request as the system's SCSI port driver takes it: the native
// SCSI_PASS_THROUGH_DIRECT (56 bytes in a 64-bit program, 44 in a 32-bit one) and its sense
// buffer in one block, so the driver finds the sense area at an offset inside the buffer it
// was handed.
#pragma once

#include "platform/windows_api.h"

#include <winioctl.h>

#include <ntddscsi.h>

#include <cstddef>

namespace platform::win32 {

inline constexpr UCHAR kPassThroughSenseBytes = 32;

struct PassThroughBlock {
  SCSI_PASS_THROUGH_DIRECT request;
  ULONG filler;
  UCHAR sense[kPassThroughSenseBytes];
};

inline constexpr bool k64BitAbi = sizeof(void*) == 8;

static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataIn) == 8);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataTransferLength) == 12);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, TimeOutValue) == 16);
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, DataBuffer) == (k64BitAbi ? 24 : 20));
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, SenseInfoOffset) == (k64BitAbi ? 32 : 24));
static_assert(offsetof(SCSI_PASS_THROUGH_DIRECT, Cdb) == (k64BitAbi ? 36 : 28));
static_assert(sizeof(SCSI_PASS_THROUGH_DIRECT) == (k64BitAbi ? 56 : 44));
// The 32-bit block is the 80 bytes of the original request block: sense area at 48.
static_assert(offsetof(PassThroughBlock, sense) == (k64BitAbi ? 60 : 48));
static_assert(sizeof(PassThroughBlock) == (k64BitAbi ? 96 : 80));

static_assert(sizeof(SCSI_ADDRESS) == 8);
static_assert(offsetof(SCSI_ADDRESS, PortNumber) == 4);
static_assert(offsetof(SCSI_ADDRESS, PathId) == 5);
static_assert(offsetof(SCSI_ADDRESS, TargetId) == 6);
static_assert(offsetof(SCSI_ADDRESS, Lun) == 7);

static_assert(IOCTL_SCSI_PASS_THROUGH_DIRECT == 0x4D014);
static_assert(IOCTL_SCSI_GET_ADDRESS == 0x41018);

}  // namespace platform::win32
