// The kinds of disc a fixture can put in a simulated drive, and everything the simulator
// derives from the kind alone: its name in fixtures, its family, and the defaults of the
// fields a fixture may leave out.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace sim {

enum class DiscType : uint8_t {
  CdRom,
  CdR,
  CdRw,
  DvdRom,
  DvdRam,
  DvdR,
  DvdRw,
  DvdPlusRw,
  DvdPlusR,
  DvdPlusRDl,
  DvdRDl,
  BdRom,
  BdR,
  BdRe,
};

enum class DiscFamily : uint8_t { Cd, Dvd, Bd };

// Pressed discs have no ATIP and an embossed DVD layer; a rewritable CD says so in its ATIP.
enum class Recording : uint8_t { Pressed, WriteOnce, Rewritable };

// Where a DVD keeps its manufacturer's IDs: the ADIP of +R/+RW, the pre-recorded
// information of -R/-RW, the DVD-RAM data of the physical format.
enum class DvdIds : uint8_t { None, Plus, Minus, Ram };

struct DiscTypeTraits {
  DiscType type;
  std::string_view name;  // as fixtures write it
  DiscFamily family;
  Recording recording;
  DvdIds dvdIds;
  uint16_t profile;         // GET CONFIGURATION current profile
  uint8_t bookType;         // DVD physical format book type; 0 outside DVD
  std::string_view bdType;  // BD disc type identifier; empty outside BD
  int layers;
};

// In the order the loader lists the names when a fixture names none of them.
inline constexpr std::array<DiscTypeTraits, 14> kDiscTypes{{
    // clang-format off
    {DiscType::CdRom,      "cd-rom",   DiscFamily::Cd,  Recording::Pressed,    DvdIds::None,  0x0008,  0, "",    1},
    {DiscType::CdR,        "cd-r",     DiscFamily::Cd,  Recording::WriteOnce,  DvdIds::None,  0x0009,  0, "",    1},
    {DiscType::CdRw,       "cd-rw",    DiscFamily::Cd,  Recording::Rewritable, DvdIds::None,  0x000A,  0, "",    1},
    {DiscType::DvdRom,     "dvd-rom",  DiscFamily::Dvd, Recording::Pressed,    DvdIds::None,  0x0010,  0, "",    1},
    {DiscType::DvdRam,     "dvd-ram",  DiscFamily::Dvd, Recording::Rewritable, DvdIds::Ram,   0x0012,  1, "",    1},
    {DiscType::DvdR,       "dvd-r",    DiscFamily::Dvd, Recording::WriteOnce,  DvdIds::Minus, 0x0011,  2, "",    1},
    {DiscType::DvdRw,      "dvd-rw",   DiscFamily::Dvd, Recording::Rewritable, DvdIds::Minus, 0x0014,  3, "",    1},
    {DiscType::DvdPlusRw,  "dvd+rw",   DiscFamily::Dvd, Recording::Rewritable, DvdIds::Plus,  0x001A,  9, "",    1},
    {DiscType::DvdPlusR,   "dvd+r",    DiscFamily::Dvd, Recording::WriteOnce,  DvdIds::Plus,  0x001B, 10, "",    1},
    {DiscType::DvdPlusRDl, "dvd+r-dl", DiscFamily::Dvd, Recording::WriteOnce,  DvdIds::Plus,  0x002B, 14, "",    2},
    {DiscType::DvdRDl,     "dvd-r-dl", DiscFamily::Dvd, Recording::WriteOnce,  DvdIds::Minus, 0x0015,  2, "",    2},
    {DiscType::BdRom,      "bd-rom",   DiscFamily::Bd,  Recording::Pressed,    DvdIds::None,  0x0040,  0, "BDO", 1},
    {DiscType::BdR,        "bd-r",     DiscFamily::Bd,  Recording::WriteOnce,  DvdIds::None,  0x0041,  0, "BDR", 1},
    {DiscType::BdRe,       "bd-re",    DiscFamily::Bd,  Recording::Rewritable, DvdIds::None,  0x0043,  0, "BDW", 1},
    // clang-format on
}};

constexpr const DiscTypeTraits& Traits(DiscType type) {
  return kDiscTypes[static_cast<size_t>(type)];
}

// The type a fixture names; none for a name not in the table.
std::optional<DiscType> DiscTypeNamed(std::string_view name);

}  // namespace sim
