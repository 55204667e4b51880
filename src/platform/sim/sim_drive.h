// A simulated optical drive: an MMC command interpreter over a drive model. Responses are
// synthesized in the standard layouts, headers and length fields included.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/sim/machine_model.h"
#include "platform/sim/virtual_clock.h"
#include "platform/system.h"

namespace sim {

struct CommandOutcome {
  bool answered = true;     // false: the drive never answered
  bool transportOk = true;  // false: the call failed below the drive
  bool checkCondition = false;
  std::array<uint8_t, 32> sense{};
  uint32_t transferred = 0;
  bool unrecorded = false;  // a replayed drive has no recorded answer to the command
};

class SimDrive {
 public:
  SimDrive(Drive model, VirtualClock& clock);

  // Executes one command: data-in answers land in `buffer` (at most `length` bytes),
  // data-out parameter lists are read from it. Time passes on the virtual clock.
  CommandOutcome Execute(const std::array<uint8_t, 16>& cdb, platform::Direction direction,
                         uint8_t* buffer, uint32_t length);

  const Drive& Model() const { return model_; }
  Drive& Model() { return model_; }
  bool Vanished() const { return vanished_; }
  // A new disc is in: the next command hears of it as a unit attention.
  void TellMediumChanged() {
    if (unitAttentionsLeft_ >= 0) unitAttentionsLeft_ = std::max(unitAttentionsLeft_, 1);
  }
  // The write speed the drive currently selects, in kB/s.
  uint16_t SelectedWriteKbps() const { return selectedWriteKbps_; }

 private:
  struct Answer {
    std::vector<uint8_t> data;
    std::optional<SenseData> sense;
  };
  Answer Respond(const std::array<uint8_t, 16>& cdb, const uint8_t* dataOut, uint32_t length);
  Answer Inquiry() const;
  Answer TestUnitReady();
  Answer ModeSense(const std::array<uint8_t, 16>& cdb) const;
  Answer ModeSelect(const uint8_t* data, uint32_t length);
  Answer GetConfiguration(const std::array<uint8_t, 16>& cdb) const;
  Answer ReadDiscStructure(const std::array<uint8_t, 16>& cdb) const;
  Answer ReadTocPmaAtip(const std::array<uint8_t, 16>& cdb) const;
  Answer ReadDiscInformation() const;
  Answer ReadFormatCapacities() const;
  Answer ReadTrackInformation(const std::array<uint8_t, 16>& cdb) const;
  Answer ReadCapacity() const;
  Answer GetPerformance(const std::array<uint8_t, 16>& cdb) const;
  Answer VendorMediaId() const;
  void AskForMaximumSpeed();
  // The capabilities page's write speed descriptors.
  std::vector<PageWriteSpeed> PageSpeeds() const;
  std::optional<SenseData> MediumState() const;
  uint16_t CurrentProfile() const;
  const Fault* MatchFault(uint8_t opcode);
  CommandOutcome Replay(const std::array<uint8_t, 16>& cdb, platform::Direction direction,
                        uint8_t* buffer, uint32_t length);

  Drive model_;
  VirtualClock& clock_;
  int commandCount_ = 0;
  int unitAttentionsLeft_ = 0;
  bool vanished_ = false;
  uint16_t selectedWriteKbps_ = 0;
  std::vector<int> faultMatches_;
  std::map<std::string, size_t> replayCursor_;
};

}  // namespace sim
