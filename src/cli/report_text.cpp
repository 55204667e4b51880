#include "cli/report_text.h"

#include <string>

#include "text/fixed_text.h"
#include "text/format_c.h"
#include "text/text_encoding.h"

namespace cli {

void PrintReportText(std::ostream& out, const device::DriveEntry& entry, int index,
                     const media::MediaReport& report) {
  out << text::VisibleText(text::FormatC("Drive %d: %s %s %s", index,
                                         std::string(text::TextOf(entry.Vendor)).c_str(),
                                         std::string(text::TextOf(entry.Product)).c_str(),
                                         std::string(text::TextOf(entry.Revision)).c_str()))
      << '\n';
  for (const std::string& line : report.lines) out << text::VisibleText(line) << '\n';
}

}  // namespace cli
