// One query is one snapshot of the drive: a read command's answer is kept and given again
// when the same command (same bytes, same length) is asked of the same drive, until something
// can have changed it: a command that changes the drive, a unit attention, a drive that is
// becoming ready or does not answer, or a new query. A failed answer is never kept, but for
// the one that is the drive's settled state: no disc in it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "device/sense.h"
#include "platform/system.h"

namespace device {

class AnswerSnapshot {
 public:
  using Command = std::array<uint8_t, 12>;

  // What a command does to the snapshot.
  enum class Effect {
    Kept,     // it only reads: its answer is kept and given again
    Sent,     // it is always sent and changes nothing (INQUIRY, asked again on purpose while a
              // drive says nothing yet; the vendor feature page, which is the features' state)
    Changes,  // it may change what the drive answers: everything kept for the drive goes
  };
  static Effect EffectOf(const Command& cdb, platform::Direction direction);

  struct Answer {
    bool ok = true;
    Sense sense;
    std::vector<uint8_t> data;  // the bytes asked for, as they stood after the command
    uint32_t transferred = 0;
  };

  // The kept answer of a command, or null.
  const Answer* Find(int drive, const Command& cdb, uint32_t length) const;
  // Keeps a command's answer when it may be kept: a success, or no disc in the drive.
  void Learn(int drive, const Command& cdb, uint32_t length, Answer answer);
  // Forgets what one drive answered (-1: every drive).
  void Forget(int drive);

 private:
  struct Entry {
    int drive;
    Command cdb;
    uint32_t length;
    Answer answer;
  };
  std::vector<Entry> entries_;
};

}  // namespace device
