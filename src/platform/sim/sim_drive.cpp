#include "platform/sim/sim_drive.h"

#include <algorithm>
#include <cstring>

#include "platform/big_endian.h"
#include "platform/mmc_opcodes.h"

namespace sim {
namespace {

constexpr SenseData kInvalidOpcode{0x05, 0x20, 0x00};
constexpr SenseData kInvalidField{0x05, 0x24, 0x00};
constexpr SenseData kIncompatibleMedium{0x05, 0x30, 0x02};
constexpr SenseData kNoMedium{0x02, 0x3A, 0x00};
constexpr SenseData kBecomingReady{0x02, 0x04, 0x01};
constexpr SenseData kMediumChanged{0x06, 0x28, 0x00};
constexpr SenseData kTrayOpen{0x02, 0x3A, 0x02};
constexpr SenseData kLongWriteInProgress{0x02, 0x04, 0x08};
constexpr SenseData kParameterListError{0x05, 0x26, 0x00};

using platform::GetBE16;
using platform::PutBE16;
using platform::PutBE32;
namespace mmc = platform::mmc;

void Put24(std::vector<uint8_t>& v, size_t at, uint32_t value) {
  v[at] = static_cast<uint8_t>(value >> 16);
  PutBE16(v, at + 1, value);
}
void PutText(std::vector<uint8_t>& v, size_t at, const std::string& text, size_t width) {
  for (size_t i = 0; i < width; ++i)
    v[at + i] = i < text.size() ? static_cast<uint8_t>(text[i]) : ' ';
}
template <size_t N>
void PutBytes(std::vector<uint8_t>& v, size_t at, const std::array<uint8_t, N>& bytes) {
  std::copy(bytes.begin(), bytes.end(), v.begin() + static_cast<long>(at));
}
void PutMsf(std::vector<uint8_t>& v, size_t at, const Msf& msf) {
  v[at] = msf.m;
  v[at + 1] = msf.s;
  v[at + 2] = msf.f;
}

// The ADIP recording velocities of a + disc: the primary and upper ones in the basic
// physical format (the bytes in use then reach them), each extended one in a block of its own
// with its indicator bit set.
void PutAdipVelocities(std::vector<uint8_t>& data, const Disc& disc) {
  constexpr size_t kAt = 4;  // the answer's header
  if (disc.plusPrimaryVelocity || disc.plusUpperVelocity) data[kAt + 31] = 64;
  if (disc.plusPrimaryVelocity) data[kAt + 32] = *disc.plusPrimaryVelocity;
  if (disc.plusUpperVelocity) data[kAt + 33] = *disc.plusUpperVelocity;
  for (size_t i = 0; i < disc.plusExtendedVelocities.size() && i < 8; ++i) {
    data[kAt + 18] |= static_cast<uint8_t>(1u << i);
    const size_t block = kAt + 64 + 32 * i;
    data[block] = 0x01;
    data[block + 3] = disc.plusExtendedVelocities[i];
  }
}

uint8_t BookTypeOf(const Disc& disc) {
  return disc.bookType.value_or(Traits(disc.type).bookType);
}

std::string BdTypeOf(const Disc& disc) {
  return disc.bdType.empty() ? std::string(Traits(disc.type).bdType) : disc.bdType;
}

DiscFamily FamilyOf(const Disc& disc) {
  return Traits(disc.type).family;
}

DvdIds DvdIdsOf(const Disc& disc) {
  return Traits(disc.type).dvdIds;
}

bool WrittenInPlace(const Disc& disc) {
  return disc.type == DiscType::DvdRam || disc.type == DiscType::DvdPlusRw ||
         disc.type == DiscType::BdRe;
}

Disc::Written WrittenOf(const Disc& disc) {
  if (disc.written != Disc::Written::ByType) return disc.written;
  const bool finished = Traits(disc.type).recording == Recording::Pressed || WrittenInPlace(disc);
  return finished ? Disc::Written::Complete : Disc::Written::Blank;
}

// The blocks the disc holds for data: a CD's up to its lead-out, a DVD's or BD's as its
// capacity says (a single-layer disc's when the fixture gives none).
uint32_t DiscBlocks(const Disc& disc) {
  if (FamilyOf(disc) == DiscFamily::Cd) {
    const uint32_t blocks =
        uint32_t{disc.leadOut.m} * 4500 + uint32_t{disc.leadOut.s} * 75 + disc.leadOut.f;
    return blocks > 150 ? blocks - 150 : 0;
  }
  if (disc.capacityBlocks != 0) return disc.capacityBlocks;
  const uint32_t layer = FamilyOf(disc) == DiscFamily::Bd ? 12'219'392 : 2'295'104;
  return layer * static_cast<uint32_t>(disc.layers);
}

// The sessions a finished disc has: at least one.
uint32_t ClosedSessions(const Disc& disc) {
  const bool complete = WrittenOf(disc) == Disc::Written::Complete;
  return complete ? std::max<uint32_t>(disc.sessions, 1) : disc.sessions;
}

uint32_t RecordedBlocks(const Disc& disc) {
  if (WrittenOf(disc) == Disc::Written::Complete && disc.recordedBlocks == 0) {
    return DiscBlocks(disc);
  }
  return disc.recordedBlocks;
}

std::string HexKey(uint8_t opcode, int sub = -1) {
  static const char* digits = "0123456789ABCDEF";
  std::string key{digits[opcode >> 4], digits[opcode & 15]};
  if (sub >= 0) key += std::string("/") + digits[(sub >> 4) & 15] + digits[sub & 15];
  return key;
}

}  // namespace

SimDrive::SimDrive(Drive model, VirtualClock& clock)
    : model_(std::move(model)),
      clock_(clock),
      unitAttentionsLeft_(model_.unitAttentions),
      selectedWriteKbps_(model_.currentWriteKbps),
      faultMatches_(model_.faults.size(), 0) {}

const Fault* SimDrive::MatchFault(uint8_t opcode) {
  for (size_t i = 0; i < model_.faults.size(); ++i) {
    const Fault& fault = model_.faults[i];
    if (fault.opcode >= 0 && fault.opcode != opcode) continue;
    const int seen = faultMatches_[i]++;
    if (seen < fault.skip) continue;
    if (fault.times >= 0 && seen >= fault.skip + fault.times) continue;
    return &fault;
  }
  return nullptr;
}

CommandOutcome SimDrive::Execute(const std::array<uint8_t, 16>& cdb, platform::Direction direction,
                                 uint8_t* buffer, uint32_t length) {
  CommandOutcome outcome;
  clock_.Advance(model_.latencyNs);
  ++commandCount_;
  if (model_.vanishAfter >= 0 && commandCount_ > model_.vanishAfter) vanished_ = true;
  if (vanished_ || !model_.plugged) {
    outcome.transportOk = false;
    return outcome;
  }
  auto checkCondition = [&](const SenseData& sense) {
    outcome.checkCondition = true;
    outcome.sense[0] = 0x70;
    outcome.sense[2] = sense.key;
    outcome.sense[7] = 10;
    outcome.sense[12] = sense.asc;
    outcome.sense[13] = sense.ascq;
  };

  if (!model_.replay.empty()) return Replay(cdb, direction, buffer, length);

  const uint8_t opcode = cdb[0];
  uint32_t limit = length;
  if (const Fault* fault = MatchFault(opcode)) {
    switch (fault->kind) {
      case Fault::Kind::Sense:
        checkCondition(fault->sense);
        return outcome;
      case Fault::Kind::NoAnswer:
        outcome.answered = false;
        return outcome;
      case Fault::Kind::TransportError:
        outcome.transportOk = false;
        return outcome;
      case Fault::Kind::Short:
        limit = std::min(limit, fault->length);
        break;
    }
  }

  const bool dataOut = direction == platform::Direction::Out;
  Answer answer = Respond(cdb, dataOut ? buffer : nullptr, dataOut ? length : 0);
  if (answer.sense) {
    checkCondition(*answer.sense);
    return outcome;
  }
  if (direction == platform::Direction::In && buffer != nullptr) {
    const uint32_t n = std::min<uint32_t>(limit, static_cast<uint32_t>(answer.data.size()));
    std::copy_n(answer.data.begin(), n, buffer);  // an empty answer has no data() to copy from
    outcome.transferred = n;
  } else if (dataOut) {
    outcome.transferred = length;
  }
  return outcome;
}

CommandOutcome SimDrive::Replay(const std::array<uint8_t, 16>& cdb, platform::Direction direction,
                                uint8_t* buffer, uint32_t length) {
  CommandOutcome outcome;
  std::string key(cdb.begin(), cdb.begin() + 12);
  key += static_cast<char>(direction);
  key += std::to_string(length);
  std::vector<size_t> matches;
  for (size_t i = 0; i < model_.replay.size(); ++i) {
    const RecordedCommand& r = model_.replay[i];
    if (std::equal(r.cdb.begin(), r.cdb.end(), cdb.begin()) &&
        r.direction == static_cast<uint8_t>(direction) && r.length == length) {
      matches.push_back(i);
    }
  }
  // Nothing recorded is nothing known: the command fails below the drive rather than
  // giving an answer the real drive might never have given.
  if (matches.empty()) {
    outcome.transportOk = false;
    outcome.unrecorded = true;
    return outcome;
  }
  size_t& cursor = replayCursor_[key];
  const RecordedCommand& r = model_.replay[matches[std::min(cursor, matches.size() - 1)]];
  ++cursor;
  clock_.Advance(r.durationNs);
  outcome.transportOk = r.transportOk;
  outcome.checkCondition = r.checkCondition;
  std::copy_n(r.sense.begin(), std::min(r.sense.size(), outcome.sense.size()),
              outcome.sense.begin());
  if (direction == platform::Direction::In && buffer != nullptr) {
    const uint32_t n = std::min<uint32_t>(length, static_cast<uint32_t>(r.data.size()));
    std::copy_n(r.data.begin(), n, buffer);
    outcome.transferred = n;
  } else if (direction == platform::Direction::Out && r.transportOk && !r.checkCondition) {
    outcome.transferred = length;
  }
  return outcome;
}

std::optional<SenseData> SimDrive::MediumState() const {
  if (clock_.NowNs() < model_.busyUntilNs) return kLongWriteInProgress;
  if (model_.trayOpen) return kTrayOpen;
  if (clock_.NowSeconds() < model_.becomingReadySeconds) return kBecomingReady;
  if (!model_.disc) return kNoMedium;
  return std::nullopt;
}

SimDrive::Answer SimDrive::Respond(const std::array<uint8_t, 16>& cdb, const uint8_t* dataOut,
                                   uint32_t length) {
  const uint8_t opcode = cdb[0];
  // A fixture may replace any answer with raw bytes: keyed by opcode, or opcode/page.
  const int sub = opcode == mmc::kModeSense10         ? (cdb[2] & 0x3F)
                  : opcode == mmc::kReadDiscStructure ? cdb[7]
                                                      : -1;
  for (const auto* raw : {&model_.raw, model_.disc ? &model_.disc->raw : nullptr}) {
    if (raw == nullptr) continue;
    for (const std::string& key : {HexKey(opcode, sub), HexKey(opcode)}) {
      if (auto it = raw->find(key); it != raw->end()) return {it->second, std::nullopt};
    }
  }
  switch (opcode) {
    case mmc::kTestUnitReady:
      return TestUnitReady();
    case mmc::kInquiry:
      return Inquiry();
    case mmc::kModeSense10:
      return ModeSense(cdb);
    case mmc::kModeSelect10:
      return ModeSelect(dataOut, length);
    case mmc::kGetConfiguration:
      return GetConfiguration(cdb);
    case mmc::kReadDiscStructure:
      return ReadDiscStructure(cdb);
    case mmc::kReadTocPmaAtip:
      return ReadTocPmaAtip(cdb);
    case mmc::kReadDiscInformation:
      return ReadDiscInformation();
    case mmc::kReadFormatCapacities:
      return ReadFormatCapacities();
    case mmc::kReadTrackInformation:
      return ReadTrackInformation(cdb);
    case mmc::kReadCapacity:
      return ReadCapacity();
    case mmc::kGetPerformance:
      return GetPerformance(cdb);
    case mmc::kSetStreaming:
      if (auto state = MediumState()) return {{}, state};
      AskForMaximumSpeed();
      return {};
    case mmc::kSetCdSpeed:
      if (GetBE16(cdb, 4) == 0xFFFF) AskForMaximumSpeed();
      return {};
    case mmc::kVendorMediaId:
      return VendorMediaId();
    default:
      return {{}, kInvalidOpcode};
  }
}

std::vector<PageWriteSpeed> SimDrive::PageSpeeds() const {
  // The page holds at most 56 descriptors (its length is one byte).
  constexpr size_t kMost = 56;
  std::vector<PageWriteSpeed> speeds;
  if (model_.disc && model_.disc->pageWriteSpeeds) {
    speeds = *model_.disc->pageWriteSpeeds;
  } else if (model_.disc && !model_.disc->writeSpeeds.empty()) {
    for (const WriteSpeed& w : model_.disc->writeSpeeds) {
      const PageWriteSpeed page{static_cast<uint16_t>(std::min<uint32_t>(w.writeKbps, 0xFFFF)),
                                w.rotation};
      if (std::none_of(speeds.begin(), speeds.end(), [&](const PageWriteSpeed& p) {
            return p.kbps == page.kbps && p.rotation == page.rotation;
          }))
        speeds.push_back(page);
    }
  } else {
    speeds.push_back({selectedWriteKbps_, 0});
  }
  if (speeds.size() > kMost) speeds.resize(kMost);
  return speeds;
}

void SimDrive::AskForMaximumSpeed() {
  if (model_.disc && model_.disc->selectedWriteKbps != 0) {
    selectedWriteKbps_ = model_.disc->selectedWriteKbps;
  }
}

SimDrive::Answer SimDrive::TestUnitReady() {
  if (unitAttentionsLeft_ != 0) {
    if (unitAttentionsLeft_ > 0) --unitAttentionsLeft_;
    return {{}, kMediumChanged};
  }
  return {{}, MediumState()};
}

SimDrive::Answer SimDrive::Inquiry() const {
  std::vector<uint8_t> data(96, 0);
  data[0] = 0x05;  // peripheral device type: CD/DVD device
  data[1] = 0x80;  // removable medium
  data[2] = 0x00;
  data[3] = 0x32;  // response data format 2, HiSup
  data[4] = static_cast<uint8_t>(model_.inquiryLength > 5 ? model_.inquiryLength - 5 : 0);
  if (!model_.identityZeros) {
    PutText(data, 8, model_.vendor, 8);
    PutText(data, 16, model_.product, 16);
    PutText(data, 32, model_.revision, 4);
    PutText(data, 36, model_.vendorSpecific, 16);
  }
  data.resize(std::min<size_t>(model_.inquiryLength, data.size()));
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ModeSense(const std::array<uint8_t, 16>& cdb) const {
  const uint8_t page = cdb[2] & 0x3F;
  const bool dbd = (cdb[1] & 0x08) != 0;
  std::vector<uint8_t> pageBytes;
  if (page == 0x2A) {
    // Capabilities and mechanical status, with its write speed descriptors.
    const std::vector<PageWriteSpeed> speeds = PageSpeeds();
    const size_t descriptors = speeds.size();
    pageBytes.assign(32 + 4 * descriptors, 0);
    pageBytes[0] = 0x2A;
    pageBytes[1] = static_cast<uint8_t>(pageBytes.size() - 2);
    const Drive& d = model_;
    pageBytes[2] = static_cast<uint8_t>(d.cdrRead | d.cdrwRead << 1 | d.dvdRomRead << 3 |
                                        d.dvdRRead << 4 | d.dvdRamRead << 5);
    pageBytes[3] =
        static_cast<uint8_t>(d.cdrWrite | d.cdrwWrite << 1 | d.dvdRWrite << 4 | d.dvdRamWrite << 5);
    pageBytes[4] = 0x71;
    pageBytes[5] = 0x73;
    pageBytes[6] = 0x29;  // tray loading mechanism, eject, lock
    pageBytes[7] = 0x03;
    PutBE16(pageBytes, 8, d.maxReadKbps);
    PutBE16(pageBytes, 10, 256);
    PutBE16(pageBytes, 12, 2048);
    PutBE16(pageBytes, 14, d.maxReadKbps);
    PutBE16(pageBytes, 18, selectedWriteKbps_);
    PutBE16(pageBytes, 20, selectedWriteKbps_);
    PutBE16(pageBytes, 28, selectedWriteKbps_);  // write speed currently selected
    PutBE16(pageBytes, 30, descriptors);
    for (size_t i = 0; i < descriptors; ++i) {
      pageBytes[33 + 4 * i] = speeds[i].rotation;
      PutBE16(pageBytes, 34 + 4 * i, speeds[i].kbps);
    }
  } else if (page == 0x30 && model_.vendorPage) {
    pageBytes.assign(16, 0);
    pageBytes[0] = 0x30;
    pageBytes[1] = 0x0E;
    pageBytes[2] = model_.vendorSupport;
    pageBytes[3] = model_.vendorState;
  } else if (page == 0x32 && model_.lightScribe.feature && !model_.lightScribe.pageFails) {
    const LightScribe& ls = model_.lightScribe;
    pageBytes.assign(72, 0);
    pageBytes[0] = 0x32;
    pageBytes[1] = static_cast<uint8_t>(pageBytes.size() - 2);
    pageBytes[3] = ls.flags;
    PutBE16(pageBytes, 4, ls.spokeCount);
    PutBE16(pageBytes, 6, ls.trackShiftCount);
    PutBytes(pageBytes, 8, ls.outerMid);
    PutBytes(pageBytes, 24, ls.innerMid);
  } else {
    return {{}, kInvalidField};
  }
  const bool blockDescriptor = page == 0x30 && model_.vendorBlockDescriptor && !dbd;
  std::vector<uint8_t> data(8 + (blockDescriptor ? 8 : 0), 0);
  if (blockDescriptor) {
    data[7] = 8;
    Put24(data, 13, 2048);
  }
  data.insert(data.end(), pageBytes.begin(), pageBytes.end());
  PutBE16(data, 0, static_cast<uint32_t>(data.size() - 2));
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ModeSelect(const uint8_t* data, uint32_t length) {
  if (data == nullptr || length < 12) return {{}, kParameterListError};
  const size_t pageAt = 8 + static_cast<size_t>(data[6] << 8 | data[7]);
  if (pageAt + 4 > length) return {{}, kParameterListError};
  if ((data[pageAt] & 0x3F) == 0x30 && model_.vendorPage) {
    // Only the bits of supported features can change.
    const uint8_t requested = data[pageAt + 3];
    model_.vendorState = static_cast<uint8_t>((model_.vendorState & ~model_.vendorSupport) |
                                              (requested & model_.vendorSupport));
    return {};
  }
  return {{}, kParameterListError};
}

uint16_t SimDrive::CurrentProfile() const {
  if (!model_.disc) return 0;
  if (model_.disc->currentProfile != 0) return model_.disc->currentProfile;
  return Traits(model_.disc->type).profile;
}

SimDrive::Answer SimDrive::GetConfiguration(const std::array<uint8_t, 16>& cdb) const {
  const uint8_t rt = cdb[1] & 3;
  const uint16_t start = GetBE16(cdb, 2);
  std::vector<uint8_t> data(8, 0);
  PutBE16(data, 6, CurrentProfile());
  auto addProfileList = [&] {
    const size_t at = data.size();
    data.resize(at + 4 + 4 * model_.profiles.size(), 0);
    data[at + 2] = 0x03;  // persistent, current
    data[at + 3] = static_cast<uint8_t>(4 * model_.profiles.size());
    for (size_t i = 0; i < model_.profiles.size(); ++i) {
      PutBE16(data, at + 4 + 4 * i, model_.profiles[i]);
      if (model_.profiles[i] == CurrentProfile()) data[at + 6 + 4 * i] = 0x01;
    }
  };
  auto addLightScribe = [&] {
    const size_t at = data.size();
    data.resize(at + 8, 0);
    PutBE16(data, at, 0xFF33);
    data[at + 2] = 0x03;
    data[at + 3] = 4;
  };
  if (start == 0x0000) {
    addProfileList();
    if (rt == 0) {
      // Core feature, then the vendor feature when present.
      const size_t at = data.size();
      data.resize(at + 12, 0);
      PutBE16(data, at, 0x0001);
      data[at + 2] = 0x0B;
      data[at + 3] = 8;
      data[at + 7] = 0x02;  // ATAPI
      if (model_.lightScribe.feature) addLightScribe();
    }
  } else if (start == 0xFF33 && model_.lightScribe.feature) {
    addLightScribe();
  }
  PutBE32(data, 0, static_cast<uint32_t>(data.size() - 4));
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ReadDiscStructure(const std::array<uint8_t, 16>& cdb) const {
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  const uint8_t mediaType = cdb[1] & 0x0F;
  const uint8_t format = cdb[7];
  if (mediaType == 1) {
    if (FamilyOf(disc) != DiscFamily::Bd || format != 0x00) return {{}, kIncompatibleMedium};
    // Disc information: one 112-byte DI unit behind the 4-byte header.
    std::vector<uint8_t> data(4 + 112, 0);
    data[4] = 'D';
    data[5] = 'I';
    data[6] = 0x01;  // unit format
    data[7] = 0x01;
    data[8] = 0x00;
    data[9] = 0x00;
    const std::string type = BdTypeOf(disc);
    for (size_t i = 0; i < 3 && i < type.size(); ++i) data[12 + i] = static_cast<uint8_t>(type[i]);
    data[15] = 0x01;
    // Number of recording layers in the high nibble; this unit describes layer 0.
    data[16] = static_cast<uint8_t>(std::min(disc.layers, 15) << 4);
    if (type != "BDO") {
      PutBytes(data, 104, disc.bdMid);
      PutBytes(data, 110, disc.bdTid);
      PutBytes(data, 113, disc.bdTimeStamp);
      data[115] = disc.bdRevision;
    }
    PutBE16(data, 0, static_cast<uint32_t>(data.size() - 2));
    return {data, std::nullopt};
  }
  if (FamilyOf(disc) != DiscFamily::Dvd) return {{}, kIncompatibleMedium};
  if (format == 0x00) {
    // Physical format information: 2048 bytes behind the 4-byte header.
    std::vector<uint8_t> data(4 + 2048, 0);
    data[4] = static_cast<uint8_t>(BookTypeOf(disc) << 4 | 0x01);
    data[5] = 0x02;  // 120 mm, 10.08 Mb/s
    // Number of layers less one, then the layer type: embossed, recordable or rewritable.
    const uint8_t book = BookTypeOf(disc);
    const bool pressed = Traits(disc.type).recording == Recording::Pressed;
    const uint8_t layerType = book == 1 || book == 3 || book == 9 ? 0x04
                              : book == 0 && pressed              ? 0x01
                                                                  : 0x02;
    data[6] = static_cast<uint8_t>((std::clamp(disc.layers, 1, 4) - 1) << 5 | layerType);
    data[7] = 0x10;
    PutBE32(data, 8, 0x030000);  // data area starts at physical sector 030000h
    PutBE32(data, 12, 0x030000 + std::max<uint32_t>(disc.capacityBlocks, 1) - 1);
    if (DvdIdsOf(disc) == DvdIds::Plus) {
      PutBytes(data, 23, disc.plusMid);  // ADIP disc manufacturer ID
      PutBytes(data, 31, disc.plusTid);  // ADIP media type ID
      data[34] = disc.plusRevision;
      PutAdipVelocities(data, disc);
    }
    if (DvdIdsOf(disc) == DvdIds::Ram) PutBytes(data, 553, disc.ramInfo);
    PutBE16(data, 0, static_cast<uint32_t>(data.size() - 2));
    return {data, std::nullopt};
  }
  if (format == 0x0E) {
    if (DvdIdsOf(disc) != DvdIds::Minus) return {{}, kIncompatibleMedium};
    // Pre-recorded information: pre-pit fields of 8 bytes, a field ID then 6 bytes.
    std::vector<uint8_t> data(4 + 40, 0);
    for (uint8_t field = 1; field <= 5; ++field) data[4 + 8 * (field - 1)] = field;
    std::copy(disc.minusMid.begin(), disc.minusMid.begin() + 6, data.begin() + 21);
    std::copy(disc.minusMid.begin() + 6, disc.minusMid.end(), data.begin() + 29);
    PutBE16(data, 0, static_cast<uint32_t>(data.size() - 2));
    return {data, std::nullopt};
  }
  return {{}, kInvalidField};
}

SimDrive::Answer SimDrive::ReadTocPmaAtip(const std::array<uint8_t, 16>& cdb) const {
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  const uint8_t format = cdb[2] & 0x0F;
  if (format != 0x04) return {{}, kInvalidField};
  const DiscTypeTraits& traits = Traits(disc.type);
  if (traits.family != DiscFamily::Cd || traits.recording == Recording::Pressed) {
    return {{}, kIncompatibleMedium};
  }
  if (!disc.atip) {
    std::vector<uint8_t> data(4, 0);
    PutBE16(data, 0, 2);
    return {data, std::nullopt};
  }
  std::vector<uint8_t> data(28, 0);
  PutBE16(data, 0, 0x001A);
  data[4] = 0x80 | 0x50;  // indicative writing power, reference speed
  data[5] = 0x00;
  const bool rewritable = traits.recording == Recording::Rewritable;
  data[6] = static_cast<uint8_t>(0x80 | (rewritable ? 0x40 : 0) | (disc.atipSubType & 7) << 3 |
                                 (disc.atipA1 ? 0x04 : 0));  // A1 values valid
  if (disc.atipA1) data[16] = *disc.atipA1;
  PutMsf(data, 8, disc.leadIn);
  PutMsf(data, 12, disc.leadOut);
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ReadDiscInformation() const {
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  std::vector<uint8_t> data(34, 0);
  PutBE16(data, 0, 32);
  // Disc status and the state of the last session: blank with an empty session, appendable
  // with an empty session after the closed ones, or complete.
  const Disc::Written written = WrittenOf(disc);
  const uint8_t status = written == Disc::Written::Blank        ? 0x00
                         : written == Disc::Written::Appendable ? 0x01
                                                                : 0x0E;
  const bool erasable = Traits(disc.type).recording == Recording::Rewritable;
  data[2] = static_cast<uint8_t>(status | (erasable ? 0x10 : 0));
  // One track per closed session; an open disc's last session holds the track to write next.
  const uint32_t closed = ClosedSessions(disc);
  const uint32_t sessions = written == Disc::Written::Complete ? closed : closed + 1;
  data[3] = 1;
  data[4] = static_cast<uint8_t>(sessions);
  data[5] = static_cast<uint8_t>(sessions);
  data[6] = static_cast<uint8_t>(sessions);
  if (FamilyOf(disc) == DiscFamily::Cd) {
    PutMsf(data, 17, disc.discInfoLeadIn.value_or(disc.leadIn));
    PutMsf(data, 21, disc.discInfoLeadOut.value_or(disc.leadOut));
  }
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ReadFormatCapacities() const {
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  std::vector<uint8_t> data(12 + 8 * disc.formattable.size(), 0);
  data[3] = static_cast<uint8_t>(8 + 8 * disc.formattable.size());
  PutBE32(data, 4, disc.capacityBlocks);
  data[8] = disc.capacityDescriptorType & 3;
  Put24(data, 9, 2048);
  for (size_t k = 0; k < disc.formattable.size(); ++k) {
    const FormatDescriptor& f = disc.formattable[k];
    PutBE32(data, 12 + 8 * k, f.blocks);
    data[16 + 8 * k] = static_cast<uint8_t>(f.formatType << 2);
    Put24(data, 17 + 8 * k, f.parameter);
  }
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ReadTrackInformation(const std::array<uint8_t, 16>& cdb) const {
  if (auto state = MediumState()) return {{}, state};
  if ((cdb[1] & 3) != 1) return {{}, kInvalidField};
  const Disc& disc = *model_.disc;
  const uint32_t track = platform::GetBE32(cdb, 2);
  const uint32_t closed = ClosedSessions(disc);
  const bool open = WrittenOf(disc) != Disc::Written::Complete;
  if (track == 0 || track > closed + (open ? 1 : 0)) return {{}, kInvalidField};
  const uint32_t recorded = RecordedBlocks(disc);
  std::vector<uint8_t> data(48, 0);
  PutBE16(data, 0, 46);
  data[2] = static_cast<uint8_t>(track);
  data[3] = static_cast<uint8_t>(track);
  if (track > closed) {
    // The invisible track: everything from the end of the closed sessions that is not spare.
    const uint32_t usable = DiscBlocks(disc) - std::min(disc.spareBlocks, DiscBlocks(disc));
    const uint32_t free = usable > recorded ? usable - recorded : 0;
    data[5] = 0x04;         // data track
    data[6] = 0x40 | 0x01;  // blank, data mode 1
    data[7] = 0x01;         // the next writable address is valid
    PutBE32(data, 8, recorded);
    PutBE32(data, 12, recorded);
    PutBE32(data, 16, free);
    PutBE32(data, 24, free);
  } else {
    const uint32_t size = recorded / closed;
    data[5] = 0x04;
    data[6] = 0x01;
    PutBE32(data, 8, size * (track - 1));
    PutBE32(data, 24, size);
    PutBE32(data, 28, size * track - 1);
  }
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::ReadCapacity() const {
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  const uint32_t blocks = WrittenInPlace(disc) ? DiscBlocks(disc) : RecordedBlocks(disc);
  std::vector<uint8_t> data(8, 0);
  PutBE32(data, 0, blocks > 0 ? blocks - 1 : 0);
  PutBE32(data, 4, 2048);
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::GetPerformance(const std::array<uint8_t, 16>& cdb) const {
  if (auto state = MediumState()) return {{}, state};
  if (cdb[10] != 0x03) return {{}, kInvalidField};
  const Disc& disc = *model_.disc;
  const uint16_t maxDescriptors = GetBE16(cdb, 8);
  const size_t n = std::min<size_t>(disc.writeSpeeds.size(), maxDescriptors);
  std::vector<uint8_t> data(8 + 16 * n, 0);
  PutBE32(data, 0, static_cast<uint32_t>(4 + 16 * n));
  for (size_t i = 0; i < n; ++i) {
    const WriteSpeed& w = disc.writeSpeeds[i];
    data[8 + 16 * i] = static_cast<uint8_t>(w.rotation << 3);  // rotation control
    PutBE32(data, 12 + 16 * i, w.endLba);
    PutBE32(data, 16 + 16 * i, w.readKbps);
    PutBE32(data, 20 + 16 * i, w.writeKbps);
  }
  return {data, std::nullopt};
}

SimDrive::Answer SimDrive::VendorMediaId() const {
  if (!model_.vendorMediaId) return {{}, kInvalidOpcode};
  if (auto state = MediumState()) return {{}, state};
  const Disc& disc = *model_.disc;
  if (FamilyOf(disc) != DiscFamily::Dvd) return {{}, kIncompatibleMedium};
  std::vector<uint8_t> data(12, 0);
  if (DvdIdsOf(disc) == DvdIds::Plus) {
    PutBytes(data, 0, disc.plusMid);
    PutBytes(data, 8, disc.plusTid);
    data[11] = disc.plusRevision;
  } else {
    PutBytes(data, 0, disc.minusMid);
  }
  return {data, std::nullopt};
}

}  // namespace sim
