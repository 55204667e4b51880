// The ASPI manager's request blocks, byte-packed as the ASPI for Win32 interface defines them.
// The execute request holds two pointers, so its size depends on the program's ABI: 80 bytes
// in a 32-bit program (the classic layout), 92 in a 64-bit one.
#pragma once

#include "platform/windows_api.h"

#include <cstddef>

namespace platform::win32 {

inline constexpr BYTE kAspiSenseBytes = 16;  // SENSE_LEN (14) + 2

#pragma pack(push, 1)

struct SrbHaInquiry {
  BYTE Cmd;
  BYTE Status;
  BYTE HaId;
  BYTE Flags;
  DWORD HdrReserved;
  BYTE HaCount;
  BYTE HaScsiId;
  BYTE HaManagerId[16];
  BYTE HaIdentifier[16];
  BYTE HaUnique[16];
  WORD HaReserved;
};

struct SrbGetDeviceType {
  BYTE Cmd;
  BYTE Status;
  BYTE HaId;
  BYTE Flags;
  DWORD HdrReserved;
  BYTE Target;
  BYTE Lun;
  BYTE DeviceType;
  BYTE Reserved;
};

struct SrbExecScsiCmd {
  BYTE Cmd;
  BYTE Status;
  BYTE HaId;
  BYTE Flags;
  DWORD HdrReserved;
  BYTE Target;
  BYTE Lun;
  WORD Reserved1;
  DWORD BufLen;
  BYTE* BufPointer;
  BYTE SenseLen;
  BYTE CdbLen;
  BYTE HaStat;
  BYTE TargStat;
  void* PostProc;  // with the event-notification flag: the event the manager signals
  void* Reserved2;
  BYTE Reserved3[16];
  BYTE CdbByte[16];
  BYTE SenseArea[kAspiSenseBytes];
};

#pragma pack(pop)

using GetAspi32SupportInfoFunction = DWORD(__cdecl*)();
using SendAspi32CommandFunction = DWORD(__cdecl*)(void* srb);

inline constexpr bool kAspi64BitAbi = sizeof(void*) == 8;

static_assert(offsetof(SrbHaInquiry, HaCount) == 8);
static_assert(sizeof(SrbHaInquiry) == 60);
static_assert(offsetof(SrbGetDeviceType, Target) == 8);
static_assert(offsetof(SrbGetDeviceType, Lun) == 9);
static_assert(offsetof(SrbGetDeviceType, DeviceType) == 10);
static_assert(sizeof(SrbGetDeviceType) == 12);
static_assert(offsetof(SrbExecScsiCmd, Status) == 1);
static_assert(offsetof(SrbExecScsiCmd, Flags) == 3);
static_assert(offsetof(SrbExecScsiCmd, Target) == 8);
static_assert(offsetof(SrbExecScsiCmd, BufLen) == 12);
static_assert(offsetof(SrbExecScsiCmd, BufPointer) == 16);
static_assert(offsetof(SrbExecScsiCmd, SenseLen) == (kAspi64BitAbi ? 24 : 20));
static_assert(offsetof(SrbExecScsiCmd, CdbLen) == (kAspi64BitAbi ? 25 : 21));
static_assert(offsetof(SrbExecScsiCmd, PostProc) == (kAspi64BitAbi ? 28 : 24));
static_assert(offsetof(SrbExecScsiCmd, CdbByte) == (kAspi64BitAbi ? 60 : 48));
static_assert(offsetof(SrbExecScsiCmd, SenseArea) == (kAspi64BitAbi ? 76 : 64));
static_assert(sizeof(SrbExecScsiCmd) == (kAspi64BitAbi ? 92 : 80));

}  // namespace platform::win32
