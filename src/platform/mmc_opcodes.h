// The operation codes of the MMC commands the program sends, the ones the simulated drives
// answer, and where each read command carries its allocation length. The command builders,
// the answer snapshot and the simulator name opcodes only through this header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform::mmc {

inline constexpr uint8_t kTestUnitReady = 0x00;
inline constexpr uint8_t kInquiry = 0x12;
inline constexpr uint8_t kReadFormatCapacities = 0x23;
inline constexpr uint8_t kReadCapacity = 0x25;
inline constexpr uint8_t kReadTocPmaAtip = 0x43;
inline constexpr uint8_t kGetConfiguration = 0x46;
inline constexpr uint8_t kReadDiscInformation = 0x51;
inline constexpr uint8_t kReadTrackInformation = 0x52;
inline constexpr uint8_t kModeSelect10 = 0x55;
inline constexpr uint8_t kModeSense10 = 0x5A;
inline constexpr uint8_t kGetPerformance = 0xAC;
inline constexpr uint8_t kReadDiscStructure = 0xAD;
inline constexpr uint8_t kSetStreaming = 0xB6;
inline constexpr uint8_t kSetCdSpeed = 0xBB;
// The drive vendor's command that reads a DVD's media IDs whatever the kind.
inline constexpr uint8_t kVendorMediaId = 0xDF;

// The mode page that holds the vendor features' state.
inline constexpr uint8_t kVendorFeaturePage = 0x30;

// Where a data-in command's CDB holds the length of the answer asked for, as a big-endian
// field of two bytes: the same command with a smaller length asks for the first bytes of the
// same answer. Nothing for commands without such a field (INQUIRY's is one byte and it is
// never kept; GET PERFORMANCE counts descriptors; READ CAPACITY's answer has a fixed length).
inline constexpr std::optional<size_t> AllocationLengthAt(uint8_t opcode) {
  switch (opcode) {
    case kReadFormatCapacities:
    case kReadTocPmaAtip:
    case kGetConfiguration:
    case kReadDiscInformation:
    case kReadTrackInformation:
    case kModeSense10:
      return 7;
    case kReadDiscStructure:
      return 8;
    default:
      return std::nullopt;
  }
}

// The command's name as the MMC standard gives it; empty for an opcode not named here.
inline constexpr std::string_view CommandName(uint8_t opcode) {
  switch (opcode) {
    case kTestUnitReady:
      return "TEST UNIT READY";
    case kInquiry:
      return "INQUIRY";
    case kReadFormatCapacities:
      return "READ FORMAT CAPACITIES";
    case kReadCapacity:
      return "READ CAPACITY";
    case kReadTocPmaAtip:
      return "READ TOC/PMA/ATIP";
    case kGetConfiguration:
      return "GET CONFIGURATION";
    case kReadDiscInformation:
      return "READ DISC INFORMATION";
    case kReadTrackInformation:
      return "READ TRACK INFORMATION";
    case kModeSelect10:
      return "MODE SELECT";
    case kModeSense10:
      return "MODE SENSE";
    case kGetPerformance:
      return "GET PERFORMANCE";
    case kReadDiscStructure:
      return "READ DISC STRUCTURE";
    case kSetStreaming:
      return "SET STREAMING";
    case kSetCdSpeed:
      return "SET CD SPEED";
    default:
      return {};
  }
}

}  // namespace platform::mmc
