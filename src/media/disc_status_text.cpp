#include "media/disc_status_text.h"

#include "text/format_c.h"

namespace media {
namespace {

constexpr uint64_t kMegabyte = 1'000'000;
constexpr uint64_t kKibibyte = 1024;
constexpr unsigned kGibibyteShift = 30;
// The least amount whose GiB figure reads more than 0.00.
constexpr uint64_t kHundredthGibibyte = ((uint64_t{1} << kGibibyteShift) + 99) / 100;

// "4 700 MB" and, when `word` is given, "4 700 MB free": then "(4.37 GiB, 2 295 104 blocks)",
// without the GiB when they would read 0.00.
std::string SizeInFull(uint32_t blocks, const char* word = "") {
  const uint64_t bytes = uint64_t{blocks} * kBlockBytes;
  const std::string gibibytes =
      bytes >= kHundredthGibibyte ? GibibytesText(bytes) + " GiB, " : std::string();
  return SizeText(bytes) + word + " (" + gibibytes + GroupedNumber(blocks) +
         (blocks == 1 ? " block)" : " blocks)");
}

std::string SessionsText(uint32_t sessions) {
  return GroupedNumber(sessions) + (sessions == 1 ? " session" : " sessions");
}

}  // namespace

std::string GroupedNumber(uint64_t value) {
  std::string digits = std::to_string(value);
  for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, 1, ' ');
  return digits;
}

std::string SizeText(uint64_t bytes, bool roundUp) {
  const auto divided = [&](uint64_t unit) { return bytes / unit + (roundUp && bytes % unit != 0); };
  if (bytes == 0 || bytes >= kMegabyte) return GroupedNumber(divided(kMegabyte)) + " MB";
  return GroupedNumber(divided(kKibibyte)) + " KiB";
}

std::string GibibytesText(uint64_t bytes) {
  // Hundredths of a GiB without the rounding of a floating-point division.
  const uint64_t whole = bytes >> kGibibyteShift;
  const uint64_t rest = bytes - (whole << kGibibyteShift);
  const uint64_t hundredths = rest * 100 >> kGibibyteShift;
  return text::FormatC("%llu.%02llu", static_cast<unsigned long long>(whole),
                       static_cast<unsigned long long>(hundredths));
}

std::vector<std::string> DiscStatusLines(const DiscStatus& status) {
  if (!status.disc) return {"No disc in the drive"};
  std::vector<std::string> lines;
  const std::string doesNotSay = std::string(": ") + kDriveDoesNotSay;
  switch (status.state) {
    case DiscState::Unknown:
      lines.push_back("Disc status" + doesNotSay);
      break;
    case DiscState::Blank:
      lines.push_back(status.freeBlocks ? "Blank, " + SizeInFull(*status.freeBlocks, " free")
                                        : "Blank, free space" + doesNotSay);
      break;
    case DiscState::Appendable: {
      const std::string head = "Appendable: " + SessionsText(status.sessions.value_or(0)) + ", ";
      lines.push_back(status.freeBlocks ? head + SizeText(*status.FreeBytes()) + " free"
                                        : head + "free space" + doesNotSay);
      break;
    }
    case DiscState::Complete:
      lines.push_back("Finished (closed): nothing more can be written");
      if (status.recordedBlocks) lines.push_back("Holds " + SizeInFull(*status.recordedBlocks));
      break;
    case DiscState::Overwritable:
      if (!status.freeBlocks) {
        lines.push_back("Overwritable, capacity" + doesNotSay);
      } else if (status.formatted) {
        lines.push_back("Overwritable, formatted: " + SizeInFull(*status.freeBlocks));
      } else {
        lines.push_back("Overwritable, not formatted yet: " + SizeInFull(*status.freeBlocks) +
                        " once formatted");
      }
      break;
    case DiscState::Other:
      lines.push_back("Other: whether more can be written" + doesNotSay);
      break;
  }
  if (status.erasable.value_or(false)) lines.push_back("Rewritable, can be erased");
  return lines;
}

const char* DiscStateName(DiscState state) {
  switch (state) {
    case DiscState::Blank:
      return "blank";
    case DiscState::Appendable:
      return "appendable";
    case DiscState::Complete:
      return "complete";
    case DiscState::Overwritable:
      return "overwritable";
    case DiscState::Other:
      return "other";
    case DiscState::Unknown:
      break;
  }
  return "";
}

const char* SessionStateName(SessionState state) {
  switch (state) {
    case SessionState::Empty:
      return "empty";
    case SessionState::Incomplete:
      return "incomplete";
    case SessionState::Damaged:
      return "damaged";
    case SessionState::Complete:
      return "complete";
    case SessionState::Unknown:
      break;
  }
  return "";
}

}  // namespace media
