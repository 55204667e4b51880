// The ATIP times of a recordable CD: start of the lead-in (who made the disc, which dye)
// and last possible start of the lead-out (nominal capacity).
#pragma once

#include <cstdint>
#include <string>

#include "device/atapi_device.h"
#include "media/kinds.h"

namespace media {

enum class AtipTime { LeadOut = 0, LeadIn = 1 };

// False when the answer in the response buffer is plainly a table of contents: drives that
// read the format of READ TOC/PMA/ATIP from the old place in byte 9 answer an ATIP request
// with one. It is told apart by what no ATIP has: track numbers in header bytes 2-3 (reserved
// in an ATIP) together with descriptor bytes 0 and 2 both lacking bit 7 (always set in an
// ATIP). Any other answer is taken as the ATIP it was asked for.
bool IsAtipAnswer(const device::AtapiDevice& device);

// M x 10000 + S x 100 + F of the time asked for, from the ATIP or else the disc
// information; 0 when neither could be read.
uint32_t ReadAtipTime(device::AtapiDevice& device, AtipTime which);

// The logical block address of an MSF time: 75 frames a second, less the 150-frame gap.
int32_t AtipTimeToBlocks(int32_t m, int32_t s, int32_t f);

struct AtipParts {
  int32_t m = 0, s = 0, f = 0;
};
// Splits a time number by its decimal text, padded with "0" or cut to six characters.
AtipParts SplitAtipTime(uint32_t number);

// "MM:SS:FF" of the split parts.
std::string FormatAtipTime(uint32_t number);

// "Phase Change" for CD-RW kinds, otherwise by the units digit of the lead-in frames.
const char* CdMaterial(DiscKind kind, uint32_t leadIn);

// Megabytes (2^20 bytes) up to the lead-out; negative for a time below the 150-frame gap.
double CdCapacityMb(uint32_t leadOut);

}  // namespace media
