#include "device/answer_snapshot.h"

#include <algorithm>

#include "platform/mmc_opcodes.h"

namespace device {
namespace {

namespace mmc = platform::mmc;

// The commands that only read: MODE SENSE, GET CONFIGURATION, READ DISC STRUCTURE, READ
// TOC/PMA/ATIP, READ DISC INFORMATION, READ TRACK INFORMATION, READ FORMAT CAPACITIES, READ
// CAPACITY, GET PERFORMANCE and the vendor media-ID command.
constexpr std::array<uint8_t, 10> kReadCommands{
    mmc::kModeSense10,          mmc::kGetConfiguration,    mmc::kReadDiscStructure,
    mmc::kReadTocPmaAtip,       mmc::kReadDiscInformation, mmc::kReadTrackInformation,
    mmc::kReadFormatCapacities, mmc::kReadCapacity,        mmc::kGetPerformance,
    mmc::kVendorMediaId};

// Sense a drive gives for a command it will refuse however often it is asked while the same
// disc is in it: ILLEGAL REQUEST with an invalid opcode, an invalid field in the command
// block, or a medium the command cannot be used with (another disc comes with a unit
// attention, which starts the snapshot again).
constexpr uint8_t kIllegalRequest = 0x05;
constexpr uint8_t kInvalidOpcode = 0x20;
constexpr uint8_t kInvalidFieldInCdb = 0x24;
constexpr uint8_t kIncompatibleMedium = 0x30;

bool Refused(const Sense& sense) {
  return sense.key == kIllegalRequest &&
         (sense.asc == kInvalidOpcode || sense.asc == kInvalidFieldInCdb ||
          sense.asc == kIncompatibleMedium);
}

// The command with its allocation length field cleared.
AnswerSnapshot::Command WithoutLength(AnswerSnapshot::Command cdb) {
  if (const auto at = mmc::AllocationLengthAt(cdb[0])) cdb[*at] = cdb[*at + 1] = 0;
  return cdb;
}

}  // namespace

AnswerSnapshot::Effect AnswerSnapshot::EffectOf(const Command& cdb, platform::Direction direction) {
  const uint8_t opcode = cdb[0];
  if (opcode == mmc::kTestUnitReady && direction == platform::Direction::None) return Effect::Kept;
  if (direction != platform::Direction::In) return Effect::Changes;
  if (opcode == mmc::kInquiry) return Effect::Sent;
  if (opcode == mmc::kModeSense10 && (cdb[2] & 0x3F) == mmc::kVendorFeaturePage)
    return Effect::Sent;
  const bool reads =
      std::find(kReadCommands.begin(), kReadCommands.end(), opcode) != kReadCommands.end();
  return reads ? Effect::Kept : Effect::Changes;
}

const AnswerSnapshot::Answer* AnswerSnapshot::Find(int drive, const Command& cdb,
                                                   uint32_t length) const {
  const Answer* longer = nullptr;
  const Command asked = WithoutLength(cdb);
  for (const Entry& entry : entries_) {
    if (entry.drive != drive) continue;
    if (entry.length == length && entry.cdb == cdb) return &entry.answer;
    // Only a success holds the first bytes of every shorter answer; a refusal may be of the
    // length itself.
    if (entry.answer.ok && entry.length > length && WithoutLength(entry.cdb) == asked &&
        (longer == nullptr || entry.answer.data.size() > longer->data.size())) {
      longer = &entry.answer;
    }
  }
  return longer;
}

void AnswerSnapshot::Learn(int drive, const Command& cdb, uint32_t length, Answer answer) {
  const bool noDisc =
      cdb[0] == mmc::kTestUnitReady && !answer.ok && Classify(answer.sense) == SenseClass::NoMedium;
  if (!answer.ok && !noDisc && !Refused(answer.sense)) return;
  std::erase_if(entries_, [&](const Entry& e) {
    return e.drive == drive && e.length == length && e.cdb == cdb;
  });
  entries_.push_back({drive, cdb, length, std::move(answer)});
}

void AnswerSnapshot::Forget(int drive) {
  std::erase_if(entries_, [drive](const Entry& e) { return drive < 0 || e.drive == drive; });
}

void AnswerSnapshot::TakeFrom(AnswerSnapshot& other, int from, int to) {
  for (Entry& entry : other.entries_) {
    if (entry.drive == from)
      entries_.push_back({to, entry.cdb, entry.length, std::move(entry.answer)});
  }
  other.Forget(from);
}

}  // namespace device
