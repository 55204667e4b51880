#include "custom/apply_property_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "custom/ascii_case.h"
#include "custom/user_media_line.h"
#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace custom {
namespace {

using Section = PropertySection;

struct Header {
  std::string_view name;
  Section section;
};
constexpr std::array<Header, 7> kHeaders{{
    {"[PROPERTY]", Section::Property},
    {"[STEP1]", Section::Step1},
    {"[STEP2]", Section::Step2},
    {"[STEP3]", Section::Step3},
    {"[REMARK]", Section::Remark},
    {"[CD]", Section::Cd},
    {"[DVD]", Section::Dvd},
}};

constexpr std::string_view kBuildModeOff = "BUILDMODE=0";
constexpr size_t kRemarkLength = sizeof(CustomizationBlock::Remark) - 1;
constexpr size_t kRemarkKept = kRemarkLength + 4;

std::optional<Section> HeaderOf(std::string_view trimmed) {
  const std::string upper = ToUpperAscii(trimmed);
  for (const Header& header : kHeaders) {
    if (upper == header.name) return header.section;
  }
  return std::nullopt;
}

// The value after `key` (which ends with "="), when the line begins with it.
std::optional<std::string_view> ValueOf(std::string_view line, std::string_view key) {
  if (line.size() < key.size() || ToUpperAscii(line.substr(0, key.size())) != key) {
    return std::nullopt;
  }
  return line.substr(key.size());
}

template <size_t N>
bool SetKey(std::string_view line, std::string_view key, std::array<char, N>& field) {
  const auto value = ValueOf(line, key);
  if (!value) return false;
  text::SetText(field, *value);
  return true;
}

}  // namespace

bool PropertyApplier::Feed(std::string_view line) {
  if (failed_) return false;
  if (!Line(TrimUserMediaLine(line))) {
    failed_ = ApplyResult{false, error_, lines_};
    return false;
  }
  ++lines_;
  return true;
}

ApplyResult PropertyApplier::Finish() {
  if (failed_) return *failed_;
  if (remarkPending_) StoreRemark();
  std::memcpy(block_.BuildModeText.data(), kBuildModeOff.data(), kBuildModeOff.size());
  return {};
}

bool PropertyApplier::Line(std::string_view line) {
  if (const auto header = HeaderOf(line)) {
    Enter(*header);
    return true;
  }
  // Any data line outside [REMARK], blank or not, closes the remark.
  if (remarkPending_ && section_ != Section::Remark) {
    StoreRemark();
    remarkPending_ = false;
  }
  switch (section_) {
    case Section::None:
      break;
    case Section::Property:
      // The first key that begins the line wins.
      if (SetKey(line, "NAME=", block_.ProgramName)) break;
      if (SetKey(line, "MAJOR=", block_.MajorVersion)) break;
      if (SetKey(line, "MINOR=", block_.MinorVersion)) break;
      if (SetKey(line, "REV=", block_.Revision)) break;
      if (SetKey(line, "DATE=", block_.ReleaseDate)) break;
      SetKey(line, "MODEL=", block_.DriveModels);
      break;
    case Section::Step1:
      SetKey(line, "STEP1=", block_.Step1Text);
      break;
    case Section::Step2:
      SetKey(line, "STEP2=", block_.Step2Text);
      break;
    case Section::Step3:
      SetKey(line, "STEP3=", block_.Step3Text);
      break;
    case Section::Remark:
      remarkPending_ = true;
      if (const auto value = ValueOf(line, "REMARK=")) {
        // Whatever lies beyond the field is cut anyway; a few bytes more let the cut find
        // the end of a character.
        if (remark_.size() < kRemarkKept) {
          remark_.append(value->substr(0, kRemarkKept));
          remark_ += '\n';
          remark_.resize(std::min(remark_.size(), kRemarkKept));
        }
      }
      break;
    case Section::Cd:
      return Row(line, true);
    case Section::Dvd:
      return Row(line, false);
  }
  return true;
}

void PropertyApplier::Enter(Section section) {
  section_ = section;
  switch (section) {
    case Section::Remark:
      remark_.clear();
      block_.Remark.fill(0);
      break;
    case Section::Cd:
      std::memset(block_.CdTable.data(), 0, sizeof block_.CdTable);
      rows_ = 0;
      break;
    case Section::Dvd:
      std::memset(block_.DvdTable.data(), 0, sizeof block_.DvdTable);
      rows_ = 0;
      break;
    default:
      break;
  }
}

bool PropertyApplier::Row(std::string_view line, bool cd) {
  if (rows_ >= kMediaTableRows || line.empty()) return true;
  const UserMediaLine row = ParseMediaRow(line, cd ? UserMediaSection::Cd : UserMediaSection::Dvd);
  if (row.kind == UserMediaLineKind::CdRow) {
    block_.CdTable[rows_++] = row.cd;
  } else if (row.kind == UserMediaLineKind::DvdRow) {
    block_.DvdTable[rows_++] = row.dvd;
  } else if (row.reason == UserMediaSkipReason::DvdNotHex) {
    error_ = text::FormatC("'%s' is not a valid integer value", BadPairText(row).c_str());
    return false;
  }
  return true;
}

void PropertyApplier::StoreRemark() {
  const size_t length = text::CutLength(remark_, kRemarkLength);
  std::memcpy(block_.Remark.data(), remark_.data(), length);
}

ApplyResult ApplyPropertyFile(const std::vector<std::string>& lines, CustomizationBlock& block) {
  PropertyApplier applier(block);
  for (const std::string& line : lines) {
    if (!applier.Feed(line)) break;
  }
  return applier.Finish();
}

}  // namespace custom
