// A simulated drive: where the system lists it, its identity and capabilities, the faults
// it is given and the commands it replays.
#include <array>
#include <optional>
#include <string>

#include "platform/sim/disc_type.h"
#include "platform/sim/fixture_fields.h"
#include "platform/sim/fixture_readers.h"

namespace sim::fixture {
namespace {

SenseData ParseSense(const json& value, const std::string& where) {
  if (!value.is_array() || value.size() < 2 || value.size() > 3) {
    Fail(where, "expected [key, asc] or [key, asc, ascq]");
  }
  SenseData sense;
  sense.key = static_cast<uint8_t>(Ranged(value[0], where + "[0]", 0, 15));
  sense.asc = static_cast<uint8_t>(Ranged(value[1], where + "[1]", 0, 255));
  if (value.size() == 3) sense.ascq = static_cast<uint8_t>(Ranged(value[2], where + "[2]", 0, 255));
  return sense;
}

Fault ParseFault(const json& value, const std::string& where) {
  Fault fault;
  Fields()
      .Field("command",
             [&](const json& command, const std::string& at) {
               fault.opcode = command.is_string() && command.get<std::string>() == "any"
                                  ? -1
                                  : static_cast<int>(Ranged(command, at, 0, 255));
             })
      .Choice("kind", fault.kind,
              {{"sense", Fault::Kind::Sense},
               {"short", Fault::Kind::Short},
               {"no-answer", Fault::Kind::NoAnswer},
               {"transport-error", Fault::Kind::TransportError}})
      .Field("sense",
             [&](const json& sense, const std::string& at) { fault.sense = ParseSense(sense, at); })
      .Number("skip", fault.skip, 0, 1 << 30)
      .Number("times", fault.times, -1, 1 << 30)
      .Number("length", fault.length, 0, 65536)
      .Read(value, where);
  return fault;
}

// The media the capabilities page can say a drive reads or writes, each with its flags;
// a medium the drive can only read has no write flag.
struct Capability {
  DiscType medium;
  bool Drive::*read;
  bool Drive::*write;
};
constexpr std::array<Capability, 5> kCapabilities{{
    {DiscType::CdR, &Drive::cdrRead, &Drive::cdrWrite},
    {DiscType::CdRw, &Drive::cdrwRead, &Drive::cdrwWrite},
    {DiscType::DvdRom, &Drive::dvdRomRead, nullptr},
    {DiscType::DvdR, &Drive::dvdRRead, &Drive::dvdRWrite},
    {DiscType::DvdRam, &Drive::dvdRamRead, &Drive::dvdRamWrite},
}};

void ParseCapabilityList(const json& value, const std::string& where, bool reads, Drive& drive) {
  if (!value.is_array()) Fail(where, "expected an array of media names");
  for (const json& item : value) {
    const std::string name = item.is_string() ? item.get<std::string>() : "";
    const std::optional<DiscType> medium = DiscTypeNamed(name);
    bool Drive::*flag = nullptr;
    for (const Capability& capability : kCapabilities) {
      if (medium == capability.medium) flag = reads ? capability.read : capability.write;
    }
    if (flag == nullptr) Fail(where, "unknown medium \"" + name + "\"");
    drive.*flag = true;
  }
}

RecordedCommand ParseRecorded(const json& value, const std::string& where) {
  RecordedCommand r;
  Fields()
      .Required("cdb",
                [&](const json& cdb, const std::string& at) {
                  if (cdb.is_discarded()) Fail(where, "a recorded command needs its \"cdb\"");
                  r.cdb = FixedBytes<12>(cdb, at);
                })
      .Choice("direction", r.direction,
              {{"in", uint8_t{1}}, {"out", uint8_t{0}}, {"none", uint8_t{2}}})
      .Number("length", r.length, 0, 65536)
      .Flag("transport_ok", r.transportOk)
      .Flag("check_condition", r.checkCondition)
      .Field("sense",
             [&](const json& sense, const std::string& at) {
               r.sense = Bytes(sense, at);
               if (r.sense.size() > 32) Fail(at, "at most 32 bytes");
             })
      .Field("data",
             [&](const json& data, const std::string& at) {
               r.data = Bytes(data, at);
               if (r.data.size() > r.length) Fail(at, "longer than the command's length");
             })
      .Duration("duration_us", r.durationNs, 1000)
      .Read(value, where);
  return r;
}

void ParseAddress(const json& address, const std::string& where, Drive& drive) {
  if (!address.is_string()) {
    Fields()
        .Number("port", drive.port, 0, 255)
        .Number("path", drive.path, 0, 255)
        .Number("target", drive.target, 0, 255)
        .Number("lun", drive.lun, 0, 255)
        .Read(address, where);
  } else if (address.get<std::string>() == "query-fails") {
    drive.addressMode = Drive::AddressMode::QueryFails;
  } else if (address.get<std::string>() == "zero-length") {
    drive.addressMode = Drive::AddressMode::ZeroLength;
  } else {
    Fail(where, "expected an object, \"query-fails\" or \"zero-length\"");
  }
}

void ParseLightScribe(const json& value, const std::string& where, LightScribe& ls) {
  ls.feature = true;
  Fields()
      .Flag("page_fails", ls.pageFails)
      .Number("flags", ls.flags, 0, 255)
      .Number("spoke_count", ls.spokeCount, 0, 0xFFFF)
      .Number("track_shift_count", ls.trackShiftCount, 0, 0xFFFF)
      .Bytes("outer_mid", ls.outerMid)
      .Bytes("inner_mid", ls.innerMid)
      .Read(value, where);
}

}  // namespace

Drive ParseDrive(const json& value, const std::string& where) {
  Drive drive;
  Fields()
      .Field("root",
             [&](const json& root, const std::string& at) {
               drive.root = root.get<std::string>();
               if (drive.root.size() > 7) Fail(at, "at most 7 characters");
             })
      .Field("address",
             [&](const json& address, const std::string& at) { ParseAddress(address, at, drive); })
      .Flag("opens", drive.opens)
      .Field("aspi",
             [&](const json& aspi, const std::string& at) {
               if (!aspi.is_array() || aspi.size() != 3)
                 Fail(at, "expected [adapter, target, lun]");
               drive.aspiAddress = std::array<uint8_t, 3>{
                   static_cast<uint8_t>(Ranged(aspi[0], Element(at, 0), 0, 255)),
                   static_cast<uint8_t>(Ranged(aspi[1], Element(at, 1), 0, 15)),
                   static_cast<uint8_t>(Ranged(aspi[2], Element(at, 2), 0, 7))};
             })
      .Text("vendor", drive.vendor)
      .Text("product", drive.product)
      .Text("revision", drive.revision)
      .Text("vendor_specific", drive.vendorSpecific)
      .Number("inquiry_length", drive.inquiryLength, 0, 96)
      .Flag("identity_zeros", drive.identityZeros)
      .Field("reads",
             [&](const json& reads, const std::string& at) {
               drive.cdrRead = drive.cdrwRead = false;
               ParseCapabilityList(reads, at, true, drive);
             })
      .Field("writes",
             [&](const json& writes, const std::string& at) {
               ParseCapabilityList(writes, at, false, drive);
             })
      .List("profiles", drive.profiles,
            [](const json& profile, const std::string& at) {
              return static_cast<uint16_t>(Ranged(profile, at, 0, 0xFFFF));
            },
            {60, "profiles"})
      .Number("max_read_kbps", drive.maxReadKbps, 0, 0xFFFF)
      .Number("current_write_kbps", drive.currentWriteKbps, 0, 0xFFFF)
      .Flag("vendor_media_id", drive.vendorMediaId)
      .Field("vendor_page",
             [&](const json& page, const std::string& at) {
               drive.vendorPage = true;
               Fields()
                   .Number("support", drive.vendorSupport, 0, 255)
                   .Number("state", drive.vendorState, 0, 255)
                   .Flag("block_descriptor", drive.vendorBlockDescriptor)
                   .Read(page, at);
             })
      .Field("lightscribe",
             [&](const json& ls, const std::string& at) {
               ParseLightScribe(ls, at, drive.lightScribe);
             })
      .Number("becoming_ready_seconds", drive.becomingReadySeconds, 0, 1 << 30)
      .Number("unit_attentions", drive.unitAttentions, -1, 1 << 30)
      .Number("vanish_after", drive.vanishAfter, -1, 1 << 30)
      .Duration("latency_us", drive.latencyNs, 1000)
      .List("faults", drive.faults, ParseFault)
      .Flag("plugged", drive.plugged)
      .Flag("tray_open", drive.trayOpen)
      .Flag("system_watches", drive.systemWatches)
      .Field("raw",
             [&](const json& raw, const std::string& at) { drive.raw = RawAnswers(raw, at); })
      .List("replay", drive.replay, ParseRecorded)
      .Field("disc",
             [&](const json& disc, const std::string& at) {
               if (!disc.is_null()) drive.disc = ParseDisc(disc, at);
             })
      .Ignored("comment")
      .Read(value, where);
  return drive;
}

}  // namespace sim::fixture
