#include "support/media_rig.h"

#include <utility>

#include "media/drive_kind.h"
#include "media/media_report.h"
#include "text/format_c.h"

namespace media_test {

std::string FixturePath(std::string_view name) {
  return std::string(QUILLRATE_FIXTURES_DIR) + "/" + std::string(name);
}

Rig::Rig(sim::Machine machine)
    : system(std::make_unique<sim::SimSystem>(std::move(machine))),
      // Every command sent as asked: the tests see the sequences the readers ask for.
      device(media::CreateDevice(*system, true, false)) {}

Rig Rig::FromMachineText(std::string_view json) {
  return Rig(sim::LoadMachineFromText(json));
}

Rig Rig::FromFixture(std::string_view name) {
  return Rig(sim::LoadMachineFromFile(FixturePath(name)));
}

Rig Rig::WithDrive(std::string_view driveJson) {
  std::string drive(driveJson);
  const std::string machine = R"({"platform": {"nt": true, "aspi": "absent"}, "drives": [)" +
                              drive.insert(1, R"("root": "E:\\", "address": {"port": 1}, )") + "]}";
  Rig rig = FromMachineText(machine);
  rig.Select(0);
  return rig;
}

void Rig::Select(int index) {
  device->SelectDrive(index);
  system->ClearLog();
}

void Rig::FillResponseBuffer() {
  device::Cdb cdb{};
  cdb[0] = 0xA8;
  device->ExecuteCdb(cdb, platform::Direction::In, 1024);
}

std::vector<std::string> Rig::Cdbs() const {
  std::vector<std::string> out;
  for (const sim::LoggedCommand& command : system->Log()) {
    std::string text;
    for (uint8_t b : command.cdb) text += text::FormatC(text.empty() ? "%02X" : " %02X", b);
    out.push_back(text);
  }
  return out;
}

std::vector<std::string> Rig::Opcodes() const {
  std::vector<std::string> out;
  for (const sim::LoggedCommand& command : system->Log()) {
    out.push_back(text::FormatC("%02X", command.cdb[0]));
  }
  return out;
}

std::string RawFill(size_t n, uint8_t value) {
  std::string hex;
  for (size_t i = 0; i < n; ++i) hex += text::FormatC("%02X", value);
  return "\"" + hex + "\"";
}

QueryRun RunQuery(sim::Machine machine, bool speedTable) {
  sim::SimSystem system(std::move(machine));
  auto device = media::CreateDevice(system);
  device->SelectDrive(0);
  device->ForgetAnswers();
  system.ClearLog();
  media::SilentReportSink sink;
  media::QueryOptions options;
  options.speedTable = speedTable;
  QueryRun run;
  run.report = media::RunMediaReport(*device, {}, sink, options);
  run.log = system.Log();
  return run;
}

}  // namespace media_test
