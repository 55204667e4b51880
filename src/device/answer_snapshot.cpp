#include "device/answer_snapshot.h"

#include <algorithm>

namespace device {
namespace {

constexpr uint8_t kTestUnitReady = 0x00;
constexpr uint8_t kInquiry = 0x12;
constexpr uint8_t kModeSense10 = 0x5A;
constexpr uint8_t kVendorFeaturePage = 0x30;

// The commands that only read: MODE SENSE, GET CONFIGURATION, READ DISC STRUCTURE, READ
// TOC/PMA/ATIP, READ DISC INFORMATION, READ FORMAT CAPACITIES, GET PERFORMANCE and the vendor
// media-ID command.
constexpr std::array<uint8_t, 8> kReadCommands{0x5A, 0x46, 0xAD, 0x43, 0x51, 0x23, 0xAC, 0xDF};

}  // namespace

AnswerSnapshot::Effect AnswerSnapshot::EffectOf(const Command& cdb, platform::Direction direction) {
  const uint8_t opcode = cdb[0];
  if (opcode == kTestUnitReady && direction == platform::Direction::None) return Effect::Kept;
  if (direction != platform::Direction::In) return Effect::Changes;
  if (opcode == kInquiry) return Effect::Sent;
  if (opcode == kModeSense10 && (cdb[2] & 0x3F) == kVendorFeaturePage) return Effect::Sent;
  const bool reads =
      std::find(kReadCommands.begin(), kReadCommands.end(), opcode) != kReadCommands.end();
  return reads ? Effect::Kept : Effect::Changes;
}

const AnswerSnapshot::Answer* AnswerSnapshot::Find(int drive, const Command& cdb,
                                                   uint32_t length) const {
  for (const Entry& entry : entries_) {
    if (entry.drive == drive && entry.length == length && entry.cdb == cdb) return &entry.answer;
  }
  return nullptr;
}

void AnswerSnapshot::Learn(int drive, const Command& cdb, uint32_t length, Answer answer) {
  const bool noDisc =
      cdb[0] == kTestUnitReady && !answer.ok && Classify(answer.sense) == SenseClass::NoMedium;
  if (!answer.ok && !noDisc) return;
  std::erase_if(entries_, [&](const Entry& e) {
    return e.drive == drive && e.length == length && e.cdb == cdb;
  });
  entries_.push_back({drive, cdb, length, std::move(answer)});
}

void AnswerSnapshot::Forget(int drive) {
  std::erase_if(entries_, [drive](const Entry& e) { return drive < 0 || e.drive == drive; });
}

}  // namespace device
