#include "platform/sim/fixture_loader.h"

#include <cctype>
#include <cstdio>
#include <set>
#include <sstream>

#include <nlohmann/json.hpp>

#include "platform/files/input_file.h"

#include "platform/sim/sim_drive.h"

namespace sim {
namespace {

using nlohmann::json;

// A machine description is a few kilobytes; a capture of many drives some hundreds.
constexpr uint64_t kLargestFixture = 16 << 20;

// The library's message without its "[json.exception.parse_error.101] parse error at line
// 3, column 5: " prefix, which the caller says in its own words.
std::string PlainJsonMessage(std::string message) {
  if (message.rfind("[json.exception.", 0) == 0) {
    const size_t close = message.find("] ");
    if (close != std::string::npos) message.erase(0, close + 2);
  }
  const size_t colon = message.find(": ");
  if (message.rfind("parse error", 0) == 0 && colon != std::string::npos) {
    message.erase(0, colon + 2);
  }
  return message;
}

// "not valid JSON at line 3, column 5: syntax error while parsing ..."; the line and column
// of the byte where the parser stopped, counted from 1.
std::string SyntaxErrorText(std::string_view text, const json::parse_error& e) {
  const size_t at = std::min<size_t>(e.byte == 0 ? 0 : e.byte - 1, text.size());
  size_t line = 1;
  size_t column = 1;
  for (size_t i = 0; i < at; ++i) {
    if (text[i] == '\n') {
      ++line;
      column = 1;
    } else {
      ++column;
    }
  }
  return "not valid JSON at line " + std::to_string(line) + ", column " + std::to_string(column) +
         ": " + PlainJsonMessage(e.what());
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw FixtureError(where + ": " + what);
}

void CheckKeys(const json& object, const std::string& where, std::set<std::string> allowed) {
  if (!object.is_object()) Fail(where, "expected an object");
  for (const auto& item : object.items()) {
    if (allowed.count(item.key()) == 0) Fail(where, "unknown field \"" + item.key() + "\"");
  }
}

int64_t Integer(const json& value, const std::string& where) {
  if (value.is_number_integer()) return value.get<int64_t>();
  if (value.is_string()) {
    const std::string text = value.get<std::string>();
    try {
      size_t used = 0;
      const int64_t parsed = std::stoll(text, &used, 0);
      if (used == text.size()) return parsed;
    } catch (const std::exception&) {
    }
  }
  Fail(where, "expected an integer (decimal or 0x hexadecimal)");
}

int64_t Ranged(const json& value, const std::string& where, int64_t low, int64_t high) {
  const int64_t n = Integer(value, where);
  if (n < low || n > high) {
    Fail(where, "value " + std::to_string(n) + " outside " + std::to_string(low) + ".." +
                    std::to_string(high));
  }
  return n;
}

// A byte string: plain text as its ASCII bytes, or "hex:" followed by hexadecimal pairs.
std::vector<uint8_t> Bytes(const json& value, const std::string& where) {
  if (!value.is_string()) Fail(where, "expected a text or \"hex:...\" string");
  const std::string text = value.get<std::string>();
  if (text.rfind("hex:", 0) != 0) return {text.begin(), text.end()};
  std::vector<uint8_t> bytes;
  std::string digits;
  for (char c : text.substr(4)) {
    if (c == ' ') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) Fail(where, "bad hexadecimal digit");
    digits += c;
  }
  if (digits.size() % 2 != 0) Fail(where, "odd number of hexadecimal digits");
  for (size_t i = 0; i < digits.size(); i += 2) {
    bytes.push_back(static_cast<uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
  }
  return bytes;
}

template <size_t N>
std::array<uint8_t, N> FixedBytes(const json& value, const std::string& where) {
  const std::vector<uint8_t> bytes = Bytes(value, where);
  if (bytes.size() > N) Fail(where, "longer than " + std::to_string(N) + " bytes");
  std::array<uint8_t, N> out{};
  std::copy(bytes.begin(), bytes.end(), out.begin());
  return out;
}

Msf ParseMsf(const json& value, const std::string& where) {
  if (!value.is_string()) Fail(where, "expected a time MM:SS:FF");
  const std::string text = value.get<std::string>();
  unsigned m = 0, s = 0, f = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u:%u:%u%c", &m, &s, &f, &tail) != 3 || m > 255 || s > 255 ||
      f > 255) {
    Fail(where, "expected a time MM:SS:FF with each part 0..255");
  }
  return {static_cast<uint8_t>(m), static_cast<uint8_t>(s), static_cast<uint8_t>(f)};
}

std::map<std::string, std::vector<uint8_t>> RawAnswers(const json& value,
                                                       const std::string& where) {
  if (!value.is_object()) Fail(where, "expected an object of opcode keys");
  std::map<std::string, std::vector<uint8_t>> raw;
  for (const auto& item : value.items()) {
    std::string key = item.key();
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::string at = where + "." + item.key();
    if (!item.value().is_string()) Fail(at, "expected hexadecimal bytes");
    std::string bytes = item.value().get<std::string>();
    if (bytes.rfind("hex:", 0) != 0) bytes = "hex:" + bytes;
    raw[key] = Bytes(json(bytes), at);
  }
  return raw;
}

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
  CheckKeys(value, where, {"command", "kind", "sense", "skip", "times", "length"});
  Fault fault;
  if (value.contains("command")) {
    const json& command = value["command"];
    fault.opcode = command.is_string() && command.get<std::string>() == "any"
                       ? -1
                       : static_cast<int>(Ranged(command, where + ".command", 0, 255));
  }
  const std::string kind = value.value("kind", "sense");
  if (kind == "sense") {
    fault.kind = Fault::Kind::Sense;
  } else if (kind == "short") {
    fault.kind = Fault::Kind::Short;
  } else if (kind == "no-answer") {
    fault.kind = Fault::Kind::NoAnswer;
  } else if (kind == "transport-error") {
    fault.kind = Fault::Kind::TransportError;
  } else {
    Fail(where + ".kind", "expected sense, short, no-answer or transport-error");
  }
  if (value.contains("sense")) fault.sense = ParseSense(value["sense"], where + ".sense");
  if (value.contains("skip"))
    fault.skip = static_cast<int>(Ranged(value["skip"], where + ".skip", 0, 1 << 30));
  if (value.contains("times"))
    fault.times = static_cast<int>(Ranged(value["times"], where + ".times", -1, 1 << 30));
  if (value.contains("length"))
    fault.length = static_cast<uint32_t>(Ranged(value["length"], where + ".length", 0, 65536));
  return fault;
}

Disc ParseDisc(const json& value, const std::string& where) {
  CheckKeys(value, where,
            {"type",
             "layers",
             "current_profile",
             "atip",
             "lead_in",
             "lead_out",
             "atip_sub_type",
             "disc_info_lead_in",
             "disc_info_lead_out",
             "book_type",
             "plus_mid",
             "plus_tid",
             "plus_revision",
             "minus_mid",
             "ram_info",
             "bd_type",
             "bd_mid",
             "bd_tid",
             "bd_time_stamp",
             "bd_revision",
             "capacity_blocks",
             "capacity_descriptor_type",
             "formattable",
             "write_speeds",
             "selected_write_kbps",
             "raw"});
  Disc disc;
  static const std::set<std::string> kTypes{"cd-rom",   "cd-r",   "cd-rw",  "dvd-rom", "dvd-ram",
                                            "dvd-r",    "dvd-rw", "dvd+rw", "dvd+r",   "dvd+r-dl",
                                            "dvd-r-dl", "bd-rom", "bd-r",   "bd-re"};
  if (!value.contains("type") || !value["type"].is_string() ||
      kTypes.count(value["type"].get<std::string>()) == 0) {
    Fail(where + ".type",
         "expected one of cd-rom, cd-r, cd-rw, dvd-rom, dvd-ram, dvd-r, dvd-rw, "
         "dvd+rw, dvd+r, dvd+r-dl, dvd-r-dl, bd-rom, bd-r, bd-re");
  }
  disc.type = value["type"].get<std::string>();
  disc.layers = disc.type.find("-dl") != std::string::npos ? 2 : 1;
  if (value.contains("layers"))
    disc.layers = static_cast<int>(Ranged(value["layers"], where + ".layers", 1, 4));
  if (value.contains("current_profile"))
    disc.currentProfile = static_cast<uint16_t>(
        Ranged(value["current_profile"], where + ".current_profile", 0, 0xFFFF));
  if (value.contains("atip")) disc.atip = value["atip"].get<bool>();
  if (value.contains("lead_in")) disc.leadIn = ParseMsf(value["lead_in"], where + ".lead_in");
  if (value.contains("lead_out")) disc.leadOut = ParseMsf(value["lead_out"], where + ".lead_out");
  if (value.contains("atip_sub_type"))
    disc.atipSubType =
        static_cast<uint8_t>(Ranged(value["atip_sub_type"], where + ".atip_sub_type", 0, 7));
  if (value.contains("disc_info_lead_in"))
    disc.discInfoLeadIn = ParseMsf(value["disc_info_lead_in"], where + ".disc_info_lead_in");
  if (value.contains("disc_info_lead_out"))
    disc.discInfoLeadOut = ParseMsf(value["disc_info_lead_out"], where + ".disc_info_lead_out");
  if (value.contains("book_type"))
    disc.bookType = static_cast<uint8_t>(Ranged(value["book_type"], where + ".book_type", 0, 15));
  if (value.contains("plus_mid"))
    disc.plusMid = FixedBytes<8>(value["plus_mid"], where + ".plus_mid");
  if (value.contains("plus_tid"))
    disc.plusTid = FixedBytes<3>(value["plus_tid"], where + ".plus_tid");
  if (value.contains("plus_revision"))
    disc.plusRevision =
        static_cast<uint8_t>(Ranged(value["plus_revision"], where + ".plus_revision", 0, 255));
  if (value.contains("minus_mid"))
    disc.minusMid = FixedBytes<12>(value["minus_mid"], where + ".minus_mid");
  if (value.contains("ram_info"))
    disc.ramInfo = FixedBytes<64>(value["ram_info"], where + ".ram_info");
  if (value.contains("bd_type")) {
    disc.bdType = value["bd_type"].get<std::string>();
    if (disc.bdType.size() != 3) Fail(where + ".bd_type", "expected three characters");
  }
  if (value.contains("bd_mid")) disc.bdMid = FixedBytes<6>(value["bd_mid"], where + ".bd_mid");
  if (value.contains("bd_tid")) disc.bdTid = FixedBytes<3>(value["bd_tid"], where + ".bd_tid");
  if (value.contains("bd_time_stamp"))
    disc.bdTimeStamp = FixedBytes<2>(value["bd_time_stamp"], where + ".bd_time_stamp");
  if (value.contains("bd_revision"))
    disc.bdRevision =
        static_cast<uint8_t>(Ranged(value["bd_revision"], where + ".bd_revision", 0, 255));
  if (value.contains("capacity_blocks"))
    disc.capacityBlocks = static_cast<uint32_t>(
        Ranged(value["capacity_blocks"], where + ".capacity_blocks", 0, 0xFFFFFFFF));
  if (value.contains("capacity_descriptor_type"))
    disc.capacityDescriptorType = static_cast<uint8_t>(
        Ranged(value["capacity_descriptor_type"], where + ".capacity_descriptor_type", 0, 3));
  if (value.contains("formattable")) {
    const json& list = value["formattable"];
    if (!list.is_array()) Fail(where + ".formattable", "expected an array");
    for (size_t i = 0; i < list.size(); ++i) {
      const std::string at = where + ".formattable[" + std::to_string(i) + "]";
      CheckKeys(list[i], at, {"blocks", "type", "parameter"});
      FormatDescriptor f;
      f.blocks = static_cast<uint32_t>(
          Ranged(list[i].value("blocks", json(0)), at + ".blocks", 0, 0xFFFFFFFF));
      f.formatType =
          static_cast<uint8_t>(Ranged(list[i].value("type", json(0)), at + ".type", 0, 0x3F));
      f.parameter = static_cast<uint32_t>(
          Ranged(list[i].value("parameter", json(2048)), at + ".parameter", 0, 0xFFFFFF));
      disc.formattable.push_back(f);
    }
    if (disc.formattable.size() > 30) Fail(where + ".formattable", "at most 30 descriptors");
  }
  if (value.contains("write_speeds")) {
    const json& list = value["write_speeds"];
    if (!list.is_array()) Fail(where + ".write_speeds", "expected an array");
    for (size_t i = 0; i < list.size(); ++i) {
      const std::string at = where + ".write_speeds[" + std::to_string(i) + "]";
      CheckKeys(list[i], at, {"end_lba", "read_kbps", "write_kbps"});
      WriteSpeed w;
      w.endLba = static_cast<uint32_t>(
          Ranged(list[i].value("end_lba", json(0)), at + ".end_lba", 0, 0xFFFFFFFF));
      w.readKbps = static_cast<uint32_t>(
          Ranged(list[i].value("read_kbps", json(0)), at + ".read_kbps", 0, 0xFFFFFFFF));
      w.writeKbps = static_cast<uint32_t>(
          Ranged(list[i].value("write_kbps", json(0)), at + ".write_kbps", 0, 0xFFFFFFFF));
      disc.writeSpeeds.push_back(w);
    }
  }
  if (value.contains("selected_write_kbps"))
    disc.selectedWriteKbps = static_cast<uint16_t>(
        Ranged(value["selected_write_kbps"], where + ".selected_write_kbps", 0, 0xFFFF));
  if (value.contains("raw")) disc.raw = RawAnswers(value["raw"], where + ".raw");
  return disc;
}

void ParseCapabilityList(const json& value, const std::string& where, bool reads, Drive& drive) {
  if (!value.is_array()) Fail(where, "expected an array of media names");
  for (const json& item : value) {
    const std::string name = item.is_string() ? item.get<std::string>() : "";
    bool* flag = nullptr;
    if (name == "cd-r") flag = reads ? &drive.cdrRead : &drive.cdrWrite;
    if (name == "cd-rw") flag = reads ? &drive.cdrwRead : &drive.cdrwWrite;
    if (name == "dvd-rom" && reads) flag = &drive.dvdRomRead;
    if (name == "dvd-r") flag = reads ? &drive.dvdRRead : &drive.dvdRWrite;
    if (name == "dvd-ram") flag = reads ? &drive.dvdRamRead : &drive.dvdRamWrite;
    if (flag == nullptr) Fail(where, "unknown medium \"" + name + "\"");
    *flag = true;
  }
}

RecordedCommand ParseRecorded(const json& value, const std::string& where) {
  CheckKeys(value, where,
            {"cdb", "direction", "length", "transport_ok", "check_condition", "sense", "data",
             "duration_us"});
  RecordedCommand r;
  if (!value.contains("cdb")) Fail(where, "a recorded command needs its \"cdb\"");
  r.cdb = FixedBytes<12>(value["cdb"], where + ".cdb");
  const std::string direction = value.value("direction", "none");
  if (direction == "out") {
    r.direction = 0;
  } else if (direction == "in") {
    r.direction = 1;
  } else if (direction == "none") {
    r.direction = 2;
  } else {
    Fail(where + ".direction", "expected in, out or none");
  }
  r.length =
      static_cast<uint32_t>(Ranged(value.value("length", json(0)), where + ".length", 0, 65536));
  r.transportOk = value.value("transport_ok", true);
  r.checkCondition = value.value("check_condition", false);
  if (value.contains("sense")) r.sense = Bytes(value["sense"], where + ".sense");
  if (r.sense.size() > 32) Fail(where + ".sense", "at most 32 bytes");
  if (value.contains("data")) r.data = Bytes(value["data"], where + ".data");
  if (r.data.size() > r.length) Fail(where + ".data", "longer than the command's length");
  r.durationNs = static_cast<uint64_t>(Ranged(value.value("duration_us", json(0)),
                                              where + ".duration_us", 0, 1LL << 40)) *
                 1000;
  return r;
}

Drive ParseDrive(const json& value, const std::string& where) {
  CheckKeys(value, where,
            {"root",
             "address",
             "opens",
             "aspi",
             "vendor",
             "product",
             "revision",
             "vendor_specific",
             "inquiry_length",
             "identity_zeros",
             "reads",
             "writes",
             "profiles",
             "max_read_kbps",
             "current_write_kbps",
             "vendor_media_id",
             "vendor_page",
             "lightscribe",
             "becoming_ready_seconds",
             "unit_attentions",
             "vanish_after",
             "latency_us",
             "faults",
             "raw",
             "disc",
             "replay",
             "comment"});
  Drive drive;
  drive.root = value.value("root", "");
  if (drive.root.size() > 7) Fail(where + ".root", "at most 7 characters");
  if (value.contains("address")) {
    const json& address = value["address"];
    if (address.is_string()) {
      const std::string mode = address.get<std::string>();
      if (mode == "query-fails") {
        drive.addressMode = Drive::AddressMode::QueryFails;
      } else if (mode == "zero-length") {
        drive.addressMode = Drive::AddressMode::ZeroLength;
      } else {
        Fail(where + ".address", "expected an object, \"query-fails\" or \"zero-length\"");
      }
    } else {
      CheckKeys(address, where + ".address", {"port", "path", "target", "lun"});
      drive.port = static_cast<uint8_t>(
          Ranged(address.value("port", json(0)), where + ".address.port", 0, 255));
      drive.path = static_cast<uint8_t>(
          Ranged(address.value("path", json(0)), where + ".address.path", 0, 255));
      drive.target = static_cast<uint8_t>(
          Ranged(address.value("target", json(0)), where + ".address.target", 0, 255));
      drive.lun = static_cast<uint8_t>(
          Ranged(address.value("lun", json(0)), where + ".address.lun", 0, 255));
    }
  }
  if (value.contains("opens")) drive.opens = value["opens"].get<bool>();
  if (value.contains("aspi")) {
    const json& aspi = value["aspi"];
    if (!aspi.is_array() || aspi.size() != 3)
      Fail(where + ".aspi", "expected [adapter, target, lun]");
    drive.aspiAddress =
        std::array<uint8_t, 3>{static_cast<uint8_t>(Ranged(aspi[0], where + ".aspi[0]", 0, 255)),
                               static_cast<uint8_t>(Ranged(aspi[1], where + ".aspi[1]", 0, 15)),
                               static_cast<uint8_t>(Ranged(aspi[2], where + ".aspi[2]", 0, 7))};
  }
  drive.vendor = value.value("vendor", "");
  drive.product = value.value("product", "");
  drive.revision = value.value("revision", "");
  drive.vendorSpecific = value.value("vendor_specific", "");
  if (value.contains("inquiry_length"))
    drive.inquiryLength =
        static_cast<uint32_t>(Ranged(value["inquiry_length"], where + ".inquiry_length", 0, 96));
  if (value.contains("identity_zeros")) drive.identityZeros = value["identity_zeros"].get<bool>();
  if (value.contains("reads")) {
    drive.cdrRead = drive.cdrwRead = false;
    ParseCapabilityList(value["reads"], where + ".reads", true, drive);
  }
  if (value.contains("writes"))
    ParseCapabilityList(value["writes"], where + ".writes", false, drive);
  if (value.contains("profiles")) {
    const json& list = value["profiles"];
    if (!list.is_array()) Fail(where + ".profiles", "expected an array");
    for (size_t i = 0; i < list.size(); ++i) {
      drive.profiles.push_back(static_cast<uint16_t>(
          Ranged(list[i], where + ".profiles[" + std::to_string(i) + "]", 0, 0xFFFF)));
    }
    if (drive.profiles.size() > 60) Fail(where + ".profiles", "at most 60 profiles");
  }
  if (value.contains("max_read_kbps"))
    drive.maxReadKbps =
        static_cast<uint16_t>(Ranged(value["max_read_kbps"], where + ".max_read_kbps", 0, 0xFFFF));
  if (value.contains("current_write_kbps"))
    drive.currentWriteKbps = static_cast<uint16_t>(
        Ranged(value["current_write_kbps"], where + ".current_write_kbps", 0, 0xFFFF));
  if (value.contains("vendor_media_id")) drive.vendorMediaId = value["vendor_media_id"].get<bool>();
  if (value.contains("vendor_page")) {
    const json& page = value["vendor_page"];
    CheckKeys(page, where + ".vendor_page", {"support", "state", "block_descriptor"});
    drive.vendorPage = true;
    drive.vendorSupport = static_cast<uint8_t>(
        Ranged(page.value("support", json(0)), where + ".vendor_page.support", 0, 255));
    drive.vendorState = static_cast<uint8_t>(
        Ranged(page.value("state", json(0)), where + ".vendor_page.state", 0, 255));
    drive.vendorBlockDescriptor = page.value("block_descriptor", false);
  }
  if (value.contains("lightscribe")) {
    const json& ls = value["lightscribe"];
    const std::string at = where + ".lightscribe";
    CheckKeys(
        ls, at,
        {"page_fails", "flags", "spoke_count", "track_shift_count", "outer_mid", "inner_mid"});
    drive.lightScribe.feature = true;
    drive.lightScribe.pageFails = ls.value("page_fails", false);
    drive.lightScribe.flags =
        static_cast<uint8_t>(Ranged(ls.value("flags", json(0)), at + ".flags", 0, 255));
    drive.lightScribe.spokeCount = static_cast<uint16_t>(
        Ranged(ls.value("spoke_count", json(0)), at + ".spoke_count", 0, 0xFFFF));
    drive.lightScribe.trackShiftCount = static_cast<uint16_t>(
        Ranged(ls.value("track_shift_count", json(0)), at + ".track_shift_count", 0, 0xFFFF));
    if (ls.contains("outer_mid"))
      drive.lightScribe.outerMid = FixedBytes<15>(ls["outer_mid"], at + ".outer_mid");
    if (ls.contains("inner_mid"))
      drive.lightScribe.innerMid = FixedBytes<46>(ls["inner_mid"], at + ".inner_mid");
  }
  if (value.contains("becoming_ready_seconds"))
    drive.becomingReadySeconds = static_cast<double>(
        Ranged(value["becoming_ready_seconds"], where + ".becoming_ready_seconds", 0, 1 << 30));
  if (value.contains("unit_attentions"))
    drive.unitAttentions =
        static_cast<int>(Ranged(value["unit_attentions"], where + ".unit_attentions", -1, 1 << 30));
  if (value.contains("vanish_after"))
    drive.vanishAfter =
        static_cast<int>(Ranged(value["vanish_after"], where + ".vanish_after", -1, 1 << 30));
  if (value.contains("latency_us"))
    drive.latencyNs =
        static_cast<uint64_t>(Ranged(value["latency_us"], where + ".latency_us", 0, 1LL << 40)) *
        1000;
  if (value.contains("faults")) {
    const json& list = value["faults"];
    if (!list.is_array()) Fail(where + ".faults", "expected an array");
    for (size_t i = 0; i < list.size(); ++i)
      drive.faults.push_back(ParseFault(list[i], where + ".faults[" + std::to_string(i) + "]"));
  }
  if (value.contains("raw")) drive.raw = RawAnswers(value["raw"], where + ".raw");
  if (value.contains("replay")) {
    const json& list = value["replay"];
    if (!list.is_array()) Fail(where + ".replay", "expected an array");
    for (size_t i = 0; i < list.size(); ++i) {
      drive.replay.push_back(ParseRecorded(list[i], where + ".replay[" + std::to_string(i) + "]"));
    }
  }
  if (value.contains("disc") && !value["disc"].is_null())
    drive.disc = ParseDisc(value["disc"], where + ".disc");
  return drive;
}

}  // namespace

Machine LoadMachineFromText(std::string_view text) {
  json root;
  try {
    root = json::parse(text);
  } catch (const json::parse_error& e) {
    throw FixtureError(SyntaxErrorText(text, e));
  } catch (const json::exception& e) {  // numbers out of range
    throw FixtureError("not valid JSON: " + PlainJsonMessage(e.what()));
  }
  try {
    CheckKeys(root, "machine", {"name", "comment", "platform", "other_roots", "drives"});
    Machine machine;
    machine.name = root.value("name", "");
    if (root.contains("platform")) {
      const json& p = root["platform"];
      CheckKeys(p, "platform",
                {"nt", "version_query_fails", "aspi", "aspi_missing", "aspi_latency_ms",
                 "events_fail", "counter", "root_list_fails"});
      machine.nt = p.value("nt", true);
      machine.versionQueryFails = p.value("version_query_fails", false);
      if (p.contains("aspi")) {
        const json& aspi = p["aspi"];
        if (aspi.is_string() && aspi.get<std::string>() == "absent") {
          machine.aspiPresent = false;
        } else if (aspi.is_string() && aspi.get<std::string>() == "ready") {
          machine.aspiPresent = true;
          machine.aspiStatus = 0x01;
        } else {
          machine.aspiPresent = true;
          machine.aspiStatus = static_cast<uint8_t>(Ranged(aspi, "platform.aspi", 0, 255));
        }
      }
      if (p.contains("aspi_missing")) {
        for (const json& name : p["aspi_missing"]) {
          if (name == "GetASPI32SupportInfo") {
            machine.aspiHasSupportInfo = false;
          } else if (name == "SendASPI32Command") {
            machine.aspiHasSendCommand = false;
          } else {
            Fail("platform.aspi_missing", "expected GetASPI32SupportInfo or SendASPI32Command");
          }
        }
      }
      if (p.contains("aspi_latency_ms"))
        machine.aspiLatencyNs =
            static_cast<uint64_t>(
                Ranged(p["aspi_latency_ms"], "platform.aspi_latency_ms", 0, 1LL << 40)) *
            1'000'000;
      machine.eventsFail = p.value("events_fail", false);
      machine.counterAvailable = p.value("counter", true);
      machine.rootListFails = p.value("root_list_fails", false);
    }
    if (root.contains("other_roots")) {
      for (const json& item : root["other_roots"]) {
        CheckKeys(item, "other_roots[]", {"root", "type"});
        machine.otherRoots.emplace_back(
            item.value("root", ""),
            static_cast<uint32_t>(Ranged(item.value("type", json(3)), "other_roots[].type", 0, 6)));
      }
    }
    if (root.contains("drives")) {
      const json& drives = root["drives"];
      if (!drives.is_array()) Fail("drives", "expected an array");
      if (drives.size() > 64) Fail("drives", "at most 64 drives");
      for (size_t i = 0; i < drives.size(); ++i) {
        machine.drives.push_back(ParseDrive(drives[i], "drives[" + std::to_string(i) + "]"));
      }
    }
    return machine;
  } catch (const json::exception& e) {
    throw FixtureError(std::string("wrong value type: ") + e.what());
  }
}

Machine LoadMachineFromFile(const std::string& path) {
  // Read like every other file: a named pipe or a device is refused before it is opened, and
  // a file far larger than any machine description is refused before it is read.
  const platform::FileContents contents = platform::ReadWholeFile(path, kLargestFixture);
  if (!contents.ok()) throw FixtureError(path + ": " + contents.problem.reason);
  try {
    return LoadMachineFromText(std::string_view(
        reinterpret_cast<const char*>(contents.bytes.data()), contents.bytes.size()));
  } catch (const FixtureError& e) {
    throw FixtureError(path + ": " + e.what());
  }
}

Machine DemoMachine() {
  return LoadMachineFromText(DemoMachineText());
}

}  // namespace sim
