#include "media/report_lines.h"

#include <cstring>

#include "media/atip.h"
#include "media/disc_kind.h"
#include "text/format_c.h"

namespace media {
namespace {

using text::FormatC;

// A stored text field as it is, ending early at a NUL.
std::string StoredText(const uint8_t* bytes, size_t width) {
  const auto* end = static_cast<const uint8_t*>(std::memchr(bytes, 0, width));
  return std::string(reinterpret_cast<const char*>(bytes),
                     end ? static_cast<size_t>(end - bytes) : width);
}

std::string EightByteLine(const char* format, const uint8_t* b) {
  return FormatC(format, unsigned{b[0]}, unsigned{b[1]}, unsigned{b[2]}, unsigned{b[3]},
                 unsigned{b[4]}, unsigned{b[5]}, unsigned{b[6]}, unsigned{b[7]},
                 MakePrintable(b, 8).c_str());
}

std::string SixByteLine(const char* format, const uint8_t* b, const std::string& text) {
  return FormatC(format, unsigned{b[0]}, unsigned{b[1]}, unsigned{b[2]}, unsigned{b[3]},
                 unsigned{b[4]}, unsigned{b[5]}, text.c_str());
}

std::string ThreeByteLine(const char* format, const uint8_t* b, const std::string& text) {
  return FormatC(format, unsigned{b[0]}, unsigned{b[1]}, unsigned{b[2]}, text.c_str());
}

}  // namespace

std::string MaterialLine(DiscKind kind, uint32_t leadIn) {
  return std::string("          Material = ") + CdMaterial(kind, leadIn);
}

std::string LeadInLine(uint32_t leadIn) {
  const AtipParts p = SplitAtipTime(leadIn);
  return FormatC("           Lead In = %.2d:%.2d:%.2d", p.m, p.s, p.f);
}

std::string LeadOutLine(uint32_t leadOut) {
  const AtipParts p = SplitAtipTime(leadOut);
  return FormatC("          Lead Out = %.2d:%.2d:%.2d", p.m, p.s, p.f);
}

std::string CdCapacityLine(uint32_t leadOut) {
  return FormatC("  Nominal Capacity = %.2fMB", CdCapacityMb(leadOut));
}

std::vector<std::string> PlusIdLines(const PlusMid& mid, const PlusTid& tid) {
  if (mid[0] == 0) return {};
  return {EightByteLine("          Disc MID = %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X "
                        "%02.2X (%.8s)",
                        mid.data()),
          ThreeByteLine("          Disc TID = %02.2X %02.2X %02.2X (%.3s)", tid.data(),
                        MakePrintable(tid.data(), 3))};
}

std::vector<std::string> DvdRamIdLines(const std::array<uint8_t, 64>& ramInfo) {
  if (ramInfo[0] == 0) return {};
  return {EightByteLine("          Disc MID = %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X "
                        "%02.2X (%.8s)",
                        ramInfo.data() + kDvdRamMidAt),
          EightByteLine("          Disc MSI = %02X %02X %02X %02X %02X %02X %02X %02X (%.8s)",
                        ramInfo.data() + kDvdRamMsiAt)};
}

std::vector<std::string> MinusIdLines(const MinusMid& mid) {
  if (mid[0] == 0) return {};
  return {SixByteLine("          Disc MID = %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X (%.6s)",
                      mid.data(), MakePrintable(mid.data(), 6)),
          SixByteLine("          Disc TID = %02.2X %02.2X %02.2X %02.2X %02.2X %02.2X (%.6s)",
                      mid.data() + 6, MakePrintable(mid.data() + 6, 6))};
}

std::vector<std::string> DvdCapacityLines(uint32_t blocks) {
  if (blocks == 0) return {};
  return {FormatC("  Nominal Capacity = %.2fGB", CapacityGb(blocks))};
}

std::vector<std::string> BdLines(const std::array<uint8_t, 17>& info) {
  if (std::memcmp(info.data() + kBdTypeAt, "BDO", 3) == 0) return {};
  const uint8_t* mid = info.data() + kBdMidAt;
  const uint8_t* tid = info.data() + kBdTidAt;
  const uint8_t* stamp = info.data() + kBdTimeStampAt;
  return {SixByteLine("          Disc MID = %02X %02X %02X %02X %02X %02X (%.6s)", mid,
                      StoredText(mid, 6)),
          ThreeByteLine("          Disc TID = %02X %02X %02X (%.3s)", tid, StoredText(tid, 3)),
          FormatC("        Time Stamp = %02X %02X ", unsigned{stamp[0]}, unsigned{stamp[1]}),
          FormatC("         PR Number = %02X ", unsigned{info[kBdRevisionAt]})};
}

}  // namespace media
