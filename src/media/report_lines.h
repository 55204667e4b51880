// The identification lines of the report, exactly as shown, for CD, DVD and BD discs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "media/kinds.h"
#include "media/media_id.h"

namespace media {

// CD lines of the lead-in and lead-out times, material and capacity.
std::string MaterialLine(DiscKind kind, uint32_t leadIn);
std::string LeadInLine(uint32_t leadIn);
std::string LeadOutLine(uint32_t leadOut);
std::string CdCapacityLine(uint32_t leadOut);

// The MID and TID lines of a DVD+RW, DVD+R or DVD+R DL; none for an empty MID.
std::vector<std::string> PlusIdLines(const PlusMid& mid, const PlusTid& tid);
// The MID and MSI lines of a DVD-RAM from its 64-byte record; none when byte 0 is 0.
std::vector<std::string> DvdRamIdLines(const std::array<uint8_t, 64>& ramInfo);
// The MID and TID halves of a DVD-R family ID; none for an empty ID.
std::vector<std::string> MinusIdLines(const MinusMid& mid);
// The DVD capacity line; none for 0 blocks.
std::vector<std::string> DvdCapacityLines(uint32_t blocks);
// The four BD lines from the BD disc information record; none for a "BDO" disc.
std::vector<std::string> BdLines(const std::array<uint8_t, 17>& bdDiscInfo);

}  // namespace media
