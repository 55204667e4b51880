// The disc in a simulated drive: its type, whose traits give the fields it leaves out, and
// what the drive reads from it.
#include <optional>
#include <string>

#include "platform/sim/disc_type.h"
#include "platform/sim/fixture_fields.h"
#include "platform/sim/fixture_readers.h"

namespace sim::fixture {
namespace {

FormatDescriptor ParseFormatDescriptor(const json& value, const std::string& where) {
  FormatDescriptor f;
  Fields()
      .Number("blocks", f.blocks, 0, 0xFFFFFFFF)
      .Number("type", f.formatType, 0, 0x3F)
      .Number("parameter", f.parameter, 0, 0xFFFFFF)
      .Read(value, where);
  return f;
}

std::vector<std::pair<std::string, uint8_t>> RotationChoices() {
  return {{"clv", 0}, {"cav", 1}};
}

WriteSpeed ParseWriteSpeed(const json& value, const std::string& where) {
  WriteSpeed w;
  Fields()
      .Number("end_lba", w.endLba, 0, 0xFFFFFFFF)
      .Number("read_kbps", w.readKbps, 0, 0xFFFFFFFF)
      .Number("write_kbps", w.writeKbps, 0, 0xFFFFFFFF)
      .Choice("rotation", w.rotation, RotationChoices())
      .Read(value, where);
  return w;
}

PageWriteSpeed ParsePageWriteSpeed(const json& value, const std::string& where) {
  PageWriteSpeed w;
  Fields()
      .Number("kbps", w.kbps, 0, 0xFFFF)
      .Choice("rotation", w.rotation, RotationChoices())
      .Read(value, where);
  return w;
}

uint8_t ParseByte(const json& value, const std::string& where) {
  return static_cast<uint8_t>(Ranged(value, where, 0, 255));
}

DiscType ParseDiscType(const json& value, const std::string& where) {
  const std::optional<DiscType> type =
      value.is_string() ? DiscTypeNamed(value.get<std::string>()) : std::nullopt;
  if (!type) {
    std::string names;
    for (const DiscTypeTraits& traits : kDiscTypes) {
      names += names.empty() ? "" : ", ";
      names += traits.name;
    }
    Fail(where, "expected one of " + names);
  }
  return *type;
}

}  // namespace

Disc ParseDisc(const json& value, const std::string& where) {
  Disc disc;
  Fields()
      .Required("type",
                [&](const json& type, const std::string& at) {
                  disc.type = ParseDiscType(type, at);
                  disc.layers = Traits(disc.type).layers;
                })
      .Number("layers", disc.layers, 1, 4)
      .Number("current_profile", disc.currentProfile, 0, 0xFFFF)
      .Flag("atip", disc.atip)
      .Time("lead_in", disc.leadIn)
      .Time("lead_out", disc.leadOut)
      .Number("atip_sub_type", disc.atipSubType, 0, 7)
      .Number("atip_a1", disc.atipA1, 0, 255)
      .Time("disc_info_lead_in", disc.discInfoLeadIn)
      .Time("disc_info_lead_out", disc.discInfoLeadOut)
      .Number("book_type", disc.bookType, 0, 15)
      .Bytes("plus_mid", disc.plusMid)
      .Bytes("plus_tid", disc.plusTid)
      .Number("plus_revision", disc.plusRevision, 0, 255)
      .Number("plus_primary_velocity", disc.plusPrimaryVelocity, 0, 255)
      .Number("plus_upper_velocity", disc.plusUpperVelocity, 0, 255)
      .List("plus_extended_velocities", disc.plusExtendedVelocities, ParseByte,
            {8, "extended information blocks"})
      .Bytes("minus_mid", disc.minusMid)
      .Bytes("ram_info", disc.ramInfo)
      .Field("bd_type",
             [&](const json& type, const std::string& at) {
               disc.bdType = type.get<std::string>();
               if (disc.bdType.size() != 3) Fail(at, "expected three characters");
             })
      .Bytes("bd_mid", disc.bdMid)
      .Bytes("bd_tid", disc.bdTid)
      .Bytes("bd_time_stamp", disc.bdTimeStamp)
      .Number("bd_revision", disc.bdRevision, 0, 255)
      .Number("capacity_blocks", disc.capacityBlocks, 0, 0xFFFFFFFF)
      .Number("capacity_descriptor_type", disc.capacityDescriptorType, 0, 3)
      .List("formattable", disc.formattable, ParseFormatDescriptor, {30, "descriptors"})
      .List("write_speeds", disc.writeSpeeds, ParseWriteSpeed)
      .Number("selected_write_kbps", disc.selectedWriteKbps, 0, 0xFFFF)
      .Choice("written", disc.written,
              {{"blank", Disc::Written::Blank},
               {"appendable", Disc::Written::Appendable},
               {"complete", Disc::Written::Complete}})
      .Number("sessions", disc.sessions, 0, 99)
      .Number("recorded_blocks", disc.recordedBlocks, 0, 0xFFFFFFFF)
      .Number("spare_blocks", disc.spareBlocks, 0, 0xFFFFFFFF)
      .Field("page_write_speeds",
             [&](const json& list, const std::string& at) {
               std::vector<PageWriteSpeed> speeds;
               Fields()
                   .List("speeds", speeds, ParsePageWriteSpeed, {56, "descriptors"})
                   .Read(json{{"speeds", list}}, at);
               disc.pageWriteSpeeds = std::move(speeds);
             })
      .Field("raw", [&](const json& raw, const std::string& at) { disc.raw = RawAnswers(raw, at); })
      .Read(value, where);
  return disc;
}

}  // namespace sim::fixture
