#include "media/speed_table_output.h"

#include <cmath>

#include "media/speed_verdict.h"
#include "text/fixed_text.h"
#include "text/format_c.h"

namespace media {
namespace {

using nlohmann::ordered_json;
using text::FormatC;

struct FlagName {
  uint32_t flag;
  const char* name;
  const char* note;  // the table flags' line in the text
};

constexpr FlagName kRowFlags[] = {
    {kSpeedZero, "zero", nullptr},
    {kSpeedUnits1352, "units_1352", nullptr},
    {kSpeedCdForDvd, "cd_speed_for_dvd", nullptr},
    {kSpeedAboveRating, "above_rating", nullptr},
    {kSpeedExcessive, "above_family_maximum", nullptr},
};

constexpr FlagName kTableFlags[] = {
    {kTableNoPerformance, "no_performance_answer",
     "The drive did not answer GET PERFORMANCE for its write speed descriptors."},
    {kTableNoModePage, "no_mode_page_answer",
     "The drive did not answer MODE SENSE for its capabilities page (2Ah)."},
    {kTableZeroSpeeds, "zero_speeds", "The drive lists a speed of 0: its list cannot be trusted."},
    {kTableSingleDescriptor, "single_descriptor",
     "The drive lists a single speed: it may not have told them all."},
    {kTableAboveRating, "above_rating", "The drive lists speeds above the disc's rating."},
    {kTableCut, "cut", "The drive says it lists more speeds than it sent."},
    {kTableUnits1352, "units_1352",
     "The drive counts DVD speeds in units of 1352 kB/s; their multiples count in those units."},
    {kTableCdForDvd, "cd_speeds_for_dvd",
     "The drive lists CD speeds for this DVD: those rows cannot be trusted."},
    {kTablePickedNotListed, "picked_not_listed",
     "The speed the drive picks is in neither of its lists."},
    {kTableExcessive, "above_family_maximum",
     "The drive lists speeds no disc of this kind is written at: those rows cannot be trusted."},
};

template <size_t N>
std::vector<std::string> Names(const FlagName (&table)[N], uint32_t flags) {
  std::vector<std::string> names;
  for (const FlagName& f : table) {
    if ((flags & f.flag) != 0) names.emplace_back(f.name);
  }
  return names;
}

const char* FamilyName(SpeedFamily family) {
  switch (family) {
    case SpeedFamily::Cd:
      return "cd";
    case SpeedFamily::Dvd:
      return "dvd";
    case SpeedFamily::Bd:
      return "bd";
  }
  return "cd";
}

// The multiple as the table shows it: whole on a CD, one decimal on a DVD and a BD.
std::string RowMultiple(SpeedFamily family, double x) {
  return (family == SpeedFamily::Cd ? FormatC("%.0f", x) : FormatC("%.1f", x)) + "\xC3\x97";
}

const char* RotationJsonName(Rotation rotation) {
  switch (rotation) {
    case Rotation::Clv:
      return "clv";
    case Rotation::Cav:
      return "cav";
    default:
      return "reserved";
  }
}

double Rounded(double x) {
  return std::round(x * 100) / 100;
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : separator) + part;
  return text;
}

}  // namespace

std::vector<std::string> RowFlagNames(uint32_t flags) {
  return Names(kRowFlags, flags);
}

std::vector<std::string> TableFlagNames(uint32_t flags) {
  return Names(kTableFlags, flags);
}

const char* RotationName(Rotation rotation) {
  switch (rotation) {
    case Rotation::Clv:
      return "CLV";
    case Rotation::Cav:
      return "CAV";
    default:
      return "reserved";
  }
}

const char* SourceName(SpeedSource source) {
  return source == SpeedSource::Performance ? "performance" : "mode_page";
}

std::vector<std::string> SpeedTableLines(DiscKind kind, const SpeedTable& table,
                                         const std::optional<std::string>& verdict) {
  std::vector<std::string> lines;
  std::string disc = "Disc: " + text::TrimTrailingBlanks(DiscKindName(kind));
  disc += table.rating ? ", rated " + MultipleText(table.rating->highestX) : ", no rated speed";
  lines.push_back(disc);
  if (table.rows.empty()) {
    lines.emplace_back("The drive lists no write speed for this disc.");
  } else {
    lines.push_back(
        FormatC("%8s %8s  %-8s  %-24s %s", "Speed", "kB/s", "Rotation", "Source", "Flags"));
    for (const SpeedRow& row : table.rows) {
      std::string source = SourceName(row.source);
      if (row.alsoInOtherSource) source += ", " + std::string(SourceName(SpeedSource::ModePage));
      std::vector<std::string> flags = RowFlagNames(row.flags);
      if (row.picked) flags.insert(flags.begin(), "picked");
      // The multiple carries a two-byte sign: pad it as one column of eight characters.
      const std::string multiple = RowMultiple(table.family, row.x);
      const std::string padded = std::string(multiple.size() < 9 ? 9 - multiple.size() : 0, ' ');
      lines.push_back(padded + multiple +
                      FormatC(" %8u  %-8s  %-24s %s", row.kbps, RotationName(row.rotation),
                              source.c_str(), Joined(flags, ", ").c_str()));
    }
  }
  for (const FlagName& f : kTableFlags) {
    if ((table.flags & f.flag) != 0) lines.emplace_back(f.note);
  }
  if (verdict) lines.push_back(*verdict);
  // Trailing blanks of rows without flags go.
  for (std::string& line : lines) line = text::TrimTrailingBlanks(line);
  return lines;
}

ordered_json SpeedTableJson(DiscKind kind, const SpeedTable& table,
                            const std::optional<std::string>& verdict) {
  ordered_json speeds = ordered_json::array();
  for (const SpeedRow& row : table.rows) {
    ordered_json sources = ordered_json::array({SourceName(row.source)});
    if (row.alsoInOtherSource) sources.push_back(SourceName(SpeedSource::ModePage));
    speeds.push_back({{"kbps", row.kbps},
                      {"x", Rounded(row.x)},
                      {"rotation", RotationJsonName(row.rotation)},
                      {"source", SourceName(row.source)},
                      {"sources", sources},
                      {"picked", row.picked},
                      {"flags", RowFlagNames(row.flags)}});
  }
  ordered_json rated = nullptr;
  if (table.rating) {
    rated = {{"highest_x", table.rating->highestX},
             {"lowest_x", table.rating->lowestX > 0 ? ordered_json(table.rating->lowestX)
                                                    : ordered_json(nullptr)}};
  }
  return {
      {"disc", {{"kind", Code(kind)}, {"kind_name", text::TrimTrailingBlanks(DiscKindName(kind))}}},
      {"family", FamilyName(table.family)},
      {"one_x_kbps", table.oneXKbps},
      {"rated", rated},
      {"picked_kbps", table.pickedKbps ? ordered_json(*table.pickedKbps) : ordered_json(nullptr)},
      {"speeds", speeds},
      {"flags", TableFlagNames(table.flags)},
      {"verdict", verdict ? ordered_json(*verdict) : ordered_json(nullptr)}};
}

}  // namespace media
