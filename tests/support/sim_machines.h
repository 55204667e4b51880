// Small simulated machines for tests, written as fixture JSON.
#pragma once

#include <memory>
#include <string>

#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace testing_machines {

inline std::unique_ptr<sim::SimSystem> MachineFromJson(const std::string& json) {
  return std::make_unique<sim::SimSystem>(sim::LoadMachineFromText(json));
}

// One writer on E: at port 1, without disc, on an NT-family system without ASPI manager.
inline std::string OneDrive(const std::string& driveFields = "", const std::string& platform = "") {
  return R"({"platform": {"nt": true)" + platform + R"(}, "drives": [{"root": "E:\\",
      "address": {"port": 1, "path": 0, "target": 0, "lun": 0},
      "vendor": "VEXO", "product": "DVD-RW TEST", "revision": "1.00",
      "writes": ["cd-r", "cd-rw"])" +
         driveFields + "}]}";
}

// Renders a CDB as "12 00 00 00 60 00 00 00 00 00 00 00".
inline std::string Hex(const std::array<uint8_t, 12>& cdb) {
  static const char* digits = "0123456789ABCDEF";
  std::string out;
  for (uint8_t b : cdb) {
    if (!out.empty()) out += ' ';
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out;
}

}  // namespace testing_machines
