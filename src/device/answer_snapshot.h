// One query is one snapshot of the drive: a read command's answer is kept and given again
// when the same command is asked of the same drive, until something can have changed it: a
// command that changes the drive, a unit attention, a drive that is becoming ready or does
// not answer, or a new query. A shorter read of the same command (the same bytes apart from
// the length asked for) gets the first bytes of a longer answer. A failed answer is kept only
// where it is the drive's settled state: no disc in it, or a command the drive refuses as
// such (an opcode it does not know, a field of the command it does not accept).
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

  // The kept answer of a command, or null: its own, or a longer one of the same command. The
  // answer's data may be longer than `length`; only its first `length` bytes are the answer.
  const Answer* Find(int drive, const Command& cdb, uint32_t length) const;
  // Keeps a command's answer when it may be kept: a success, no disc in the drive, or a
  // refusal of the command itself.
  void Learn(int drive, const Command& cdb, uint32_t length, Answer answer);
  // Forgets what one drive answered (-1: every drive).
  void Forget(int drive);
  // Takes what `other` kept for its drive `from` as what drive `to` answered here, after what
  // this snapshot holds.
  void TakeFrom(AnswerSnapshot& other, int from, int to);

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
