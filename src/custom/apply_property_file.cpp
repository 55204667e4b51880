#include "custom/apply_property_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>

#include "custom/ascii_case.h"
#include "custom/user_media_line.h"
#include "device/fixed_text.h"
#include "device/format_c.h"

namespace custom {
namespace {

enum class Section { None, Property, Step1, Step2, Step3, Remark, Cd, Dvd };

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
  device::SetText(field, *value);
  return true;
}

class Applier {
 public:
  explicit Applier(CustomizationBlock& block) : block_(block) {}

  ApplyResult Run(const std::vector<std::string>& lines) {
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!Line(TrimUserMediaLine(lines[i]))) return {false, error_, i};
    }
    if (remarkPending_) StoreRemark();
    std::memcpy(block_.BuildModeText.data(), kBuildModeOff.data(), kBuildModeOff.size());
    return {};
  }

 private:
  bool Line(std::string_view line) {
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
          remark_.append(*value);
          remark_ += '\n';
        }
        break;
      case Section::Cd:
        return Row(line, UserMediaSection::Cd);
      case Section::Dvd:
        return Row(line, UserMediaSection::Dvd);
    }
    return true;
  }

  void Enter(Section section) {
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

  bool Row(std::string_view line, UserMediaSection section) {
    if (rows_ >= kMediaTableRows || line.empty()) return true;
    const UserMediaLine row = ParseMediaRow(line, section);
    if (row.kind == UserMediaLineKind::CdRow) {
      block_.CdTable[rows_++] = row.cd;
    } else if (row.kind == UserMediaLineKind::DvdRow) {
      block_.DvdTable[rows_++] = row.dvd;
    } else if (row.reason == UserMediaSkipReason::DvdNotHex) {
      error_ = device::FormatC("'%s' is not a valid integer value", BadPairText(row).c_str());
      return false;
    }
    return true;
  }

  void StoreRemark() {
    const size_t length = std::min(remark_.size(), kRemarkLength);
    std::memcpy(block_.Remark.data(), remark_.data(), length);
  }

  CustomizationBlock& block_;
  Section section_ = Section::None;
  size_t rows_ = 0;
  std::string remark_;
  bool remarkPending_ = false;
  std::string error_;
};

}  // namespace

ApplyResult ApplyPropertyFile(const std::vector<std::string>& lines, CustomizationBlock& block) {
  return Applier(block).Run(lines);
}

}  // namespace custom
