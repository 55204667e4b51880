// A watch over a simulated machine on its virtual clock: every event as a short line, the
// queries it ran and the commands each drive received.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "live/drive_watcher.h"
#include "platform/sim/sim_system.h"

namespace live_test {

class WatchRig {
 public:
  explicit WatchRig(std::string_view machineJson, std::optional<std::string> onlyRoot = {});

  // Starts the watch and follows the drives until the virtual clock reaches `untilMs`.
  void RunUntil(uint64_t untilMs);
  // Follows on from where the last run stopped.
  void RunOn(uint64_t untilMs);

  // "1.300 sr0 tray_open Tray open", with " +report CDR" for a Ready event with a report.
  std::vector<std::string> lines;
  // Event names only, in order.
  std::vector<std::string> Events() const;
  int queries = 0;
  // Commands the drive at this index of the machine received at or after `fromMs`.
  size_t CommandsTo(int drive, uint64_t fromMs = 0, uint64_t toMs = UINT64_MAX) const;
  // Commands other than TEST UNIT READY the drive received in that time.
  size_t QuestionsTo(int drive, uint64_t fromMs, uint64_t toMs) const;

  sim::SimSystem& System() { return *system_; }
  uint64_t NowMs() { return events_->NowMs(); }

 private:
  std::unique_ptr<sim::SimSystem> system_;
  std::unique_ptr<platform::DriveEvents> events_;
  std::unique_ptr<live::DriveWatcher> watcher_;
  std::vector<uint64_t> commandTimesMs_;  // the clock when each logged command was seen
  size_t timedCommands_ = 0;
  bool started_ = false;
  void TimeCommands();
};

}  // namespace live_test
