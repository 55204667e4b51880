// The write speed the drive selects for the disc once it has been asked for its maximum.
#pragma once

#include <cstdint>
#include <vector>

#include "device/atapi_device.h"

namespace media {

// One write speed descriptor of GET PERFORMANCE (type 03h).
struct WriteSpeedDescriptor {
  uint32_t endLba = 0;
  uint32_t readKbps = 0;
  uint32_t writeKbps = 0;
};

// The write speed currently selected (capabilities page 2Ah bytes 28-29), in kB/s; 0 when
// the page cannot be read.
uint16_t ReadCdWriteSpeed(device::AtapiDevice& device);

// The first write speed descriptor's write speed in kB/s, asked only of a drive that writes
// CD-R; 0 when there is no such descriptor.
uint32_t ReadDvdWriteSpeed(device::AtapiDevice& device);

// Asks the drive to stream at the highest write speed it reports for the disc. Returns the
// write speed descriptors of the drive's answer (none when there was no usable answer).
std::vector<WriteSpeedDescriptor> SetMaxStreaming(device::AtapiDevice& device);

}  // namespace media
