// One listed drive.
#pragma once

#include <array>
#include <cstdint>

namespace device {

struct DriveEntry {
  uint8_t Kind = 0;                       // drive kind code, set by the describe step
  const char* KindName = nullptr;         // name of Kind from the drive kind name table
  std::array<char, 32> DisplayName{};     // 8 vendor characters then 16 product characters
  std::array<char, 9> Vendor{};           // INQUIRY bytes 8-15
  std::array<char, 17> Product{};         // INQUIRY bytes 16-31
  std::array<char, 5> Revision{};         // INQUIRY bytes 32-35
  std::array<char, 17> VendorSpecific{};  // INQUIRY bytes 36-51
  std::array<char, 8> RootPath{};         // drive root as the system lists it; empty under ASPI
  int16_t Adapter = 0;  // ASPI host adapter, pass-through port or a substitute number
  int16_t Target = 0;
  int16_t Lun = 0;
  int16_t Bus = 0;  // path id under pass-through, 0 under ASPI
  bool Present = false;
  bool ViaAspi = false;
  bool WritesCdR = false;
  // No identity, and TEST UNIT READY or INQUIRY went unanswered while the list was made (the
  // call itself failed): the empty identity is the drive's silence, not its answer.
  bool IdentityUnanswered = false;
  // Identified and described: at construction, or when first asked for (identification on
  // demand).
  bool Identified = false;
};

}  // namespace device
