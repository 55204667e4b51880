// A simulated machine with its AtapiDevice for the media tests, built from JSON text or a
// fixture file, and helpers to read the command log.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "device/atapi_device.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace media_test {

std::string FixturePath(std::string_view name);

class Rig {
 public:
  // A whole machine, as in a fixture file.
  static Rig FromMachineText(std::string_view json);
  static Rig FromFixture(std::string_view name);
  // A machine with one drive, given as the JSON object of that drive (root and address
  // are added).
  static Rig WithDrive(std::string_view driveJson);

  // Selects a drive and forgets the commands sent so far.
  void Select(int index);
  // Fills the response buffer with `fill` bytes through a command the drive answers with
  // a raw answer of that many bytes (drive opcode A8h must be given as raw "A8").
  void FillResponseBuffer();

  // The CDBs sent since the last Select or ClearLog, as "AD 00 00 ..." texts.
  std::vector<std::string> Cdbs() const;
  // Only their opcodes, as "AD" texts.
  std::vector<std::string> Opcodes() const;
  void ClearLog() { system->ClearLog(); }

  std::unique_ptr<sim::SimSystem> system;
  std::unique_ptr<device::AtapiDevice> device;

 private:
  explicit Rig(sim::Machine machine);
};

// A query of the machine's first drive, from a cold snapshot: its report and every command it
// sent. `speedTable` asks for the full write-speed table too.
struct QueryRun {
  media::MediaReport report;
  std::vector<sim::LoggedCommand> log;
};
QueryRun RunQuery(sim::Machine machine, bool speedTable);

// The JSON of a raw answer of n bytes of one value, for a drive's "raw" object.
std::string RawFill(size_t n, uint8_t value);

}  // namespace media_test
