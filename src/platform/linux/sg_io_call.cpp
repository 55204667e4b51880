#include "platform/linux/sg_io_call.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>

#include "platform/linux/sense_format.h"

namespace platform {
namespace {

constexpr uint8_t kStatusGood = 0x00;
constexpr uint8_t kStatusCheckCondition = 0x02;
constexpr unsigned kDriverStatusMask = 0x0F;  // the high bits are the driver's suggestion
constexpr unsigned kDriverSense = 0x08;       // sense data are present: no error by itself
constexpr uint32_t kMillisecondsPerSecond = 1000;

unsigned TimeoutMs(uint32_t seconds) {
  constexpr uint32_t most = std::numeric_limits<uint32_t>::max();
  return seconds > most / kMillisecondsPerSecond ? most : seconds * kMillisecondsPerSecond;
}

// Whether the kernel's answer is one the device layer can use.
bool Answered(const sg_io_hdr_t& io) {
  // The info word flags every answer in which some layer reports a problem; flagged with no
  // layer naming one, nothing of the answer can be trusted.
  const bool flagged = (io.info & SG_INFO_OK_MASK) != SG_INFO_OK;
  if (flagged && io.status == kStatusGood && io.host_status == 0 && io.driver_status == 0) {
    return false;
  }
  // Every layer counts: host and driver errors fail the call whatever the drive said.
  if (io.host_status != 0) return false;
  const unsigned driver = io.driver_status & kDriverStatusMask;
  if (driver != 0 && driver != kDriverSense) return false;
  // A CHECK CONDITION without sense data cannot be told from a broken transfer.
  if (io.status == kStatusCheckCondition) return io.sb_len_wr > 0;
  return io.status == kStatusGood;  // not BUSY, RESERVATION CONFLICT, ...
}

}  // namespace

SgIoResult SendSgIo(KernelCalls& kernel, int fd, PassThroughRequest& request) {
  std::array<uint8_t, 32> sense{};
  sg_io_hdr_t io{};
  io.interface_id = 'S';
  io.cmd_len = request.CdbLength;
  io.cmdp = request.Cdb.data();
  io.mx_sb_len = static_cast<unsigned char>(sense.size());
  io.sbp = sense.data();
  io.timeout = TimeoutMs(request.TimeOutValue);
  const uint32_t requested = request.DataTransferLength;
  const bool moves = request.DataBuffer != nullptr && requested != 0 &&
                     request.DataIn != static_cast<uint8_t>(Direction::None);
  if (moves) {
    io.dxfer_direction =
        request.DataIn == static_cast<uint8_t>(Direction::In) ? SG_DXFER_FROM_DEV : SG_DXFER_TO_DEV;
    io.dxfer_len = requested;
    io.dxferp = request.DataBuffer;
  } else {
    io.dxfer_direction = SG_DXFER_NONE;
  }
  request.DataTransferLength = 0;

  SgIoResult result;
  result.error = kernel.SgIo(fd, io);
  if (result.error != 0 || !Answered(io)) return result;
  result.ok = true;
  request.ScsiStatus = io.status;
  if (io.status == kStatusCheckCondition) {
    NormaliseSense(sense, io.sb_len_wr);
    std::memcpy(request.Sense.data(), sense.data(),
                std::min<size_t>(request.SenseInfoLength, sense.size()));
  }
  const uint32_t residual = io.resid > 0 ? static_cast<uint32_t>(io.resid) : 0;
  request.DataTransferLength = moves ? requested - std::min(requested, residual) : 0;
  return result;
}

}  // namespace platform
