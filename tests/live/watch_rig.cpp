#include "live/watch_rig.h"

#include <stdexcept>

#include "media/drive_kind.h"
#include "media/kinds.h"
#include "media/media_report.h"
#include "platform/sim/fixture_loader.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace live_test {

WatchRig::WatchRig(std::string_view machineJson, std::optional<std::string> onlyRoot)
    : system_(std::make_unique<sim::SimSystem>(sim::LoadMachineFromText(machineJson))),
      events_(system_->OpenDriveEvents({.realTime = false})) {
  live::WatcherOptions options;
  options.onlyRoot = std::move(onlyRoot);
  options.openDevice = [this] { return media::CreateDevice(*system_); };
  auto report = std::make_shared<media::MediaReport>();
  options.query = [this, report](device::AtapiDevice& device, int index) {
    ++queries;
    if (!device.SelectDrive(index)) return false;
    const uint32_t before = device.UnansweredCommands();
    media::SilentReportSink sink;
    *report = media::RunMediaReport(device, {}, sink);
    return device.UnansweredCommands() == before;
  };
  options.output = [this, report](const live::WatchEvent& event) {
    std::string line = text::FormatC("%.3f", static_cast<double>(event.timeMs) / 1000.0) + " " +
                       event.root + " " + live::EventName(event.kind) + " " +
                       live::StateText(event.state);
    if (event.withReport) {
      line += " +report " + text::TrimTrailingBlanks(media::DiscKindName(report->discKind));
    }
    lines.push_back(line);
    return true;
  };
  watcher_ = std::make_unique<live::DriveWatcher>(*system_, *events_, std::move(options));
}

void WatchRig::TimeCommands() {
  const auto& log = system_->Log();
  for (; timedCommands_ < log.size(); ++timedCommands_) commandTimesMs_.push_back(NowMs());
}

void WatchRig::RunUntil(uint64_t untilMs) {
  if (!started_) {
    started_ = true;
    watcher_->Start();
    TimeCommands();
  }
  RunOn(untilMs);
}

void WatchRig::RunOn(uint64_t untilMs) {
  // A watch that never lets the clock move would spin here for ever; the bound catches it.
  for (int steps = 0; NowMs() < untilMs; ++steps) {
    if (steps > 1'000'000) throw std::runtime_error("the watch does not let time pass");
    watcher_->Step();
    TimeCommands();
  }
}

std::vector<std::string> WatchRig::Events() const {
  std::vector<std::string> names;
  for (const std::string& line : lines) {
    const size_t first = line.find(' ');
    const size_t second = line.find(' ', first + 1);
    const size_t third = line.find(' ', second + 1);
    names.push_back(line.substr(second + 1, third - second - 1));
  }
  return names;
}

size_t WatchRig::CommandsTo(int drive, uint64_t fromMs, uint64_t toMs) const {
  size_t count = 0;
  const auto& log = system_->Log();
  for (size_t i = 0; i < commandTimesMs_.size(); ++i) {
    if (log[i].drive == drive && commandTimesMs_[i] >= fromMs && commandTimesMs_[i] < toMs) ++count;
  }
  return count;
}

size_t WatchRig::QuestionsTo(int drive, uint64_t fromMs, uint64_t toMs) const {
  size_t count = 0;
  const auto& log = system_->Log();
  for (size_t i = 0; i < commandTimesMs_.size(); ++i) {
    if (log[i].drive == drive && log[i].cdb[0] != 0x00 && commandTimesMs_[i] >= fromMs &&
        commandTimesMs_[i] < toMs) {
      ++count;
    }
  }
  return count;
}

}  // namespace live_test
