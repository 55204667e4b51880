// One pass-through as one SG_IO: what the backend puts in the header, and how every layer
// of the kernel's answer (ioctl result, info word, SCSI, host and driver status, residual,
// sense data) decides between an answer and a failed call.
#include <fcntl.h>

#include <gtest/gtest.h>

#include "platform/fake_kernel.h"
#include "platform/linux/linux_system.h"
#include "platform/sim/sim_system.h"

namespace {

using fake::AnswerCheckCondition;
using fake::AnswerGood;
using fake::FakeKernel;

struct Drive {
  Drive() {
    kernel.AddBlockDevice("sr0", "5", "../../../1:0:0:0");
    system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
    handle = system->OpenDevice("sr0");
  }
  sim::RecordingMessageSink sink;
  FakeKernel kernel;
  std::unique_ptr<platform::System> system;
  std::unique_ptr<platform::DeviceHandle> handle;
};

const std::vector<uint8_t> kFixedSense{0x70, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x24, 0x00};
const std::vector<uint8_t> kDescriptorSense{0x72, 0x02, 0x3A, 0x01, 0, 0, 0, 0};

TEST(SgIoStatus, EveryLayerOfTheAnswer) {
  struct Case {
    const char* name;
    FakeKernel::Answer answer;
    bool ok;
    uint32_t transferred;
    uint8_t status, senseKey, asc, ascq;
  };
  const std::vector<uint8_t> data(96, 0xA5);
  const auto good = [&](sg_io_hdr_t& io) { return AnswerGood(io, data); };
  const auto with = [&](auto change) {
    return [=](const std::string&, sg_io_hdr_t& io) {
      good(io);
      change(io);
      return 0;
    };
  };
  const std::vector<Case> cases{
      {"good, everything moved", with([](sg_io_hdr_t&) {}), true, 96, 0, 0, 0, 0},
      {"good, short answer", with([](sg_io_hdr_t& io) { io.resid = 40; }), true, 56, 0, 0, 0, 0},
      {"residual beyond the request", with([](sg_io_hdr_t& io) { io.resid = 500; }), true, 0, 0, 0,
       0, 0},
      {"negative residual", with([](sg_io_hdr_t& io) { io.resid = -4; }), true, 96, 0, 0, 0, 0},
      {"ioctl fails", [](const std::string&, sg_io_hdr_t&) { return EIO; }, false, 0, 0, 0, 0, 0},
      {"ioctl refuses the header", [](const std::string&, sg_io_hdr_t&) { return EINVAL; }, false,
       0, 0, 0, 0, 0},
      {"info flags a problem no status names",
       with([](sg_io_hdr_t& io) { io.info = SG_INFO_CHECK; }), false, 0, 0, 0, 0, 0},
      {"info with other bits, OK", with([](sg_io_hdr_t& io) { io.info = SG_INFO_DIRECT_IO; }), true,
       96, 0, 0, 0, 0},
      {"host: no connection", with([](sg_io_hdr_t& io) { io.host_status = 0x01; }), false, 0, 0, 0,
       0, 0},
      {"host: time-out", with([](sg_io_hdr_t& io) { io.host_status = 0x03; }), false, 0, 0, 0, 0,
       0},
      {"driver: time-out", with([](sg_io_hdr_t& io) { io.driver_status = 0x06; }), false, 0, 0, 0,
       0, 0},
      {"driver: error, suggest retry", with([](sg_io_hdr_t& io) { io.driver_status = 0x14; }),
       false, 0, 0, 0, 0, 0},
      {"BUSY", with([](sg_io_hdr_t& io) { io.status = 0x08; }), false, 0, 0, 0, 0, 0},
      {"RESERVATION CONFLICT", with([](sg_io_hdr_t& io) { io.status = 0x18; }), false, 0, 0, 0, 0,
       0},
      {"CHECK CONDITION, fixed sense",
       [](const std::string&, sg_io_hdr_t& io) { return AnswerCheckCondition(io, kFixedSense); },
       true, 0, 2, 5, 0x24, 0},
      {"CHECK CONDITION, descriptor sense",
       [](const std::string&, sg_io_hdr_t& io) {
         return AnswerCheckCondition(io, kDescriptorSense);
       },
       true, 0, 2, 2, 0x3A, 1},
      {"CHECK CONDITION after part of the data",
       [&](const std::string&, sg_io_hdr_t& io) {
         AnswerGood(io, std::vector<uint8_t>(8, 1));
         const int resid = io.resid;
         AnswerCheckCondition(io, kFixedSense);
         io.resid = resid;
         return 0;
       },
       true, 8, 2, 5, 0x24, 0},
      {"CHECK CONDITION without sense data",
       [](const std::string&, sg_io_hdr_t& io) { return AnswerCheckCondition(io, {}); }, false, 0,
       0, 0, 0, 0},
      {"CHECK CONDITION, and a host error",
       [](const std::string&, sg_io_hdr_t& io) {
         AnswerCheckCondition(io, kFixedSense);
         io.host_status = 0x07;
         return 0;
       },
       false, 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Drive drive;
    drive.kernel.answer = c.answer;
    std::vector<uint8_t> buffer(96, 0);
    platform::PassThroughRequest request = fake::ReadRequest(0x12, buffer.data(), 96);
    EXPECT_EQ(drive.handle->PassThrough(request), c.ok);
    EXPECT_EQ(request.DataTransferLength, c.transferred);
    if (!c.ok) continue;
    EXPECT_EQ(request.ScsiStatus, c.status);
    // The device layer reads fixed-format sense: key in byte 2, ASC and ASCQ in 12 and 13.
    EXPECT_EQ(request.Sense[2] & 0x0F, c.senseKey);
    EXPECT_EQ(request.Sense[12], c.asc);
    EXPECT_EQ(request.Sense[13], c.ascq);
  }
}

TEST(SgIoStatus, HeaderPerDirectionAndLength) {
  struct Case {
    platform::Direction direction;
    uint32_t length;
    bool buffer;
    int sgDirection;
    unsigned sgLength;
  };
  using platform::Direction;
  for (const Case& c : {
           Case{Direction::In, 96, true, SG_DXFER_FROM_DEV, 96},
           Case{Direction::Out, 24, true, SG_DXFER_TO_DEV, 24},
           Case{Direction::None, 0, false, SG_DXFER_NONE, 0},
           Case{Direction::In, 0, true, SG_DXFER_NONE, 0},
           Case{Direction::In, 8, false, SG_DXFER_NONE, 0},
           Case{Direction::None, 8, true, SG_DXFER_NONE, 0},
       }) {
    SCOPED_TRACE(std::to_string(int(c.direction)) + "/" + std::to_string(c.length));
    Drive drive;
    drive.kernel.answer = [](const std::string&, sg_io_hdr_t& io) { return AnswerGood(io, {}); };
    std::vector<uint8_t> buffer(96, 0);
    platform::PassThroughRequest request =
        fake::ReadRequest(0x5A, c.buffer ? buffer.data() : nullptr, c.length);
    request.DataIn = static_cast<uint8_t>(c.direction);
    request.Cdb = {0x5A, 0, 0x2A, 0, 0, 0, 0, 0, 0x2A, 0, 0, 0x99, 0xEE};
    ASSERT_TRUE(drive.handle->PassThrough(request));
    ASSERT_EQ(drive.kernel.sgIos.size(), 1u);
    const fake::SgIoCall& call = drive.kernel.sgIos[0];
    EXPECT_EQ(call.node, "/dev/sr0");
    EXPECT_EQ(call.direction, c.sgDirection);
    EXPECT_EQ(call.length, c.sgLength);
    EXPECT_EQ(call.hasData, c.sgLength != 0);
    EXPECT_EQ(call.cdb, (std::vector<uint8_t>{0x5A, 0, 0x2A, 0, 0, 0, 0, 0, 0x2A, 0, 0, 0x99}));
    EXPECT_EQ(call.senseRoom, 32u);
    EXPECT_TRUE(call.senseZeroed);
    EXPECT_EQ(call.timeoutMs, 108'000'000u);
    if (c.sgLength == 0) {
      EXPECT_EQ(request.DataTransferLength, 0u);
    }
  }
}

TEST(SgIoStatus, TimeOutBeyondTheFieldIsTheLongestItHolds) {
  Drive drive;
  drive.kernel.answer = [](const std::string&, sg_io_hdr_t& io) { return AnswerGood(io, {}); };
  const std::pair<uint32_t, unsigned> cases[] = {{0, 0},
                                                 {1, 1000},
                                                 {108000, 108'000'000},
                                                 {4'294'967, 4'294'967'000},
                                                 {4'294'968, 0xFFFFFFFF},
                                                 {0xFFFFFFFF, 0xFFFFFFFF}};
  for (const auto& [seconds, milliseconds] : cases) {
    platform::PassThroughRequest request = fake::ReadRequest(0x00, nullptr, 0);
    request.TimeOutValue = seconds;
    drive.handle->PassThrough(request);
    EXPECT_EQ(drive.kernel.sgIos.back().timeoutMs, milliseconds) << seconds;
  }
}

}  // namespace
