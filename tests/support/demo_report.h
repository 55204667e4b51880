// What a query of the demo machine's first writer shows: the CD-R in drive 1.
#pragma once

#include <string>
#include <vector>

namespace testing_demo {

inline const std::vector<std::string> kDemoCdReport{
    "        Drive Type = DVD Super Multigen (Support LightScribe)",
    "         Disc Type = CDR",
    "          Material = Phthalocyanine",
    "           Lead In = 97:26:66",
    "          Lead Out = 79:59:74",
    "  Nominal Capacity = 702.83MB",
    "Manufacturer Maybe = CMC Magnetics Corporation",
    "QUILL-RATE Speed Limit = 40X (Write)"};

// The lines joined as a terminal shows them, the speed line left out or not.
inline std::string DemoCdReportText(bool speedLine) {
  std::string text;
  for (size_t i = 0; i < kDemoCdReport.size() - (speedLine ? 0 : 1); ++i)
    text += kDemoCdReport[i] + "\n";
  return text;
}

}  // namespace testing_demo
