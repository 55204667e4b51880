// The block layer refuses a few commands to unprivileged users; such a command is sent once
// more through the drive's sg node, when that node opens read-write, and nothing else ever
// goes there.
#include <fcntl.h>

#include <gtest/gtest.h>

#include "platform/fake_kernel.h"
#include "platform/linux/linux_system.h"
#include "platform/sim/sim_system.h"

namespace {

using fake::AnswerCheckCondition;
using fake::AnswerGood;
using fake::FakeKernel;

constexpr const char* kBlock = "/dev/sr1";
constexpr const char* kSg = "/dev/sg4";
const std::vector<uint8_t> kMediaId{0x00, 0x10, 0x4D, 0x43, 0x43, 0x20, 0x30, 0x31};

struct Rig {
  explicit Rig(bool sgNode = true) {
    kernel.AddBlockDevice("sr1", "5", "../../../1:0:0:0", sgNode ? "sg4" : "");
    system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
  }
  sim::RecordingMessageSink sink;
  FakeKernel kernel;
  std::unique_ptr<platform::System> system;
};

TEST(SgNodeRetry, OnlyACommandTheKernelRefusedGoesToTheSgNode) {
  struct Case {
    const char* name;
    std::function<int(sg_io_hdr_t&)> block;  // the block device's answer
    bool sgNode;                             // the sg module is loaded
    FakeKernel::Node sgAccess;
    std::function<int(sg_io_hdr_t&)> sg;  // the sg node's answer
    bool ok;
    size_t sgOpens, sgIos;
    uint32_t transferred;
  };
  const auto refused = [](int error) { return [=](sg_io_hdr_t&) { return error; }; };
  const auto answers = [&](sg_io_hdr_t& io) { return AnswerGood(io, kMediaId); };
  const auto rejects = [](sg_io_hdr_t& io) {
    return AnswerCheckCondition(io, {0x70, 0, 0x05, 0, 0, 0, 0, 10, 0, 0, 0, 0, 0x20, 0});
  };
  const std::vector<Case> cases{
      {"refused with EPERM, sg answers", refused(EPERM), true, {}, answers, true, 1, 1, 8},
      {"refused with EACCES, sg answers", refused(EACCES), true, {}, answers, true, 1, 1, 8},
      {"refused, sg refuses too", refused(EPERM), true, {}, refused(EPERM), false, 1, 1, 0},
      {"refused, the drive rejects it on sg", refused(EPERM), true, {}, rejects, true, 1, 1, 0},
      {"refused, no sg module", refused(EPERM), false, {}, answers, false, 0, 0, 0},
      {"refused, sg opens read-only only",
       refused(EPERM),
       true,
       {EACCES, 0},
       answers,
       false,
       1,
       0,
       0},
      {"refused, sg node missing in /dev",
       refused(EPERM),
       true,
       {ENOENT, ENOENT},
       answers,
       false,
       1,
       0,
       0},
      {"answered", answers, true, {}, answers, true, 0, 0, 8},
      {"rejected by the drive", rejects, true, {}, answers, true, 0, 0, 0},
      {"transport error", refused(EIO), true, {}, answers, false, 0, 0, 0},
      {"drive gone", refused(ENODEV), true, {}, answers, false, 0, 0, 0},
      {"out of memory", refused(ENOMEM), true, {}, answers, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig(c.sgNode);
    rig.kernel.nodes[kSg] = c.sgAccess;
    rig.kernel.answer = [&](const std::string& node, sg_io_hdr_t& io) {
      return node == kBlock ? c.block(io) : c.sg(io);
    };
    auto handle = rig.system->OpenDevice("sr1");
    ASSERT_NE(handle, nullptr);
    std::vector<uint8_t> buffer(64, 0);
    platform::PassThroughRequest request = fake::ReadRequest(0xDF, buffer.data(), 64);
    EXPECT_EQ(handle->PassThrough(request), c.ok);
    EXPECT_EQ(request.DataTransferLength, c.transferred);
    EXPECT_EQ(rig.kernel.SgIosOn(kBlock), 1u);
    EXPECT_EQ(rig.kernel.OpensOf(kSg), c.sgOpens);
    EXPECT_EQ(rig.kernel.SgIosOn(kSg), c.sgIos);
    for (const fake::OpenCall& open : rig.kernel.opens) {
      if (open.path == kSg) {
        EXPECT_EQ(open.flags & (O_ACCMODE | O_NONBLOCK), O_RDWR | O_NONBLOCK);
      }
    }
    if (c.sgIos == 1) {
      // The command goes to the sg node as it was asked, not as the refusal left it.
      const fake::SgIoCall& first = rig.kernel.sgIos[0];
      const fake::SgIoCall& again = rig.kernel.sgIos[1];
      EXPECT_EQ(again.cdb, first.cdb);
      EXPECT_EQ(again.direction, SG_DXFER_FROM_DEV);
      EXPECT_EQ(again.length, 64u);
      EXPECT_TRUE(again.hasData);
      EXPECT_TRUE(again.senseZeroed);
    }
    if (c.transferred > 0) {
      EXPECT_TRUE(std::equal(kMediaId.begin(), kMediaId.end(), buffer.begin()));
    }
    handle.reset();
    EXPECT_TRUE(rig.kernel.OpenDescriptors().empty());
  }
}

TEST(SgNodeRetry, TheSgNodeIsOpenedOnceAndServesOnlyRefusedCommands) {
  Rig rig;
  // The block device refuses the vendor command and MODE SELECT, and answers the rest.
  rig.kernel.answer = [](const std::string& node, sg_io_hdr_t& io) {
    if (node == kBlock && (io.cmdp[0] == 0xDF || io.cmdp[0] == 0x55)) return EPERM;
    return AnswerGood(io, kMediaId);
  };
  auto handle = rig.system->OpenDevice("sr1");
  std::vector<uint8_t> buffer(64, 0);
  for (uint8_t opcode : {0x12, 0xDF, 0x00, 0x55, 0x5A, 0xDF}) {
    platform::PassThroughRequest request = fake::ReadRequest(opcode, buffer.data(), 64);
    EXPECT_TRUE(handle->PassThrough(request)) << int(opcode);
  }
  std::vector<std::pair<std::string, uint8_t>> sent;
  for (const fake::SgIoCall& call : rig.kernel.sgIos) sent.emplace_back(call.node, call.cdb[0]);
  EXPECT_EQ(sent, (std::vector<std::pair<std::string, uint8_t>>{{kBlock, 0x12},
                                                                {kBlock, 0xDF},
                                                                {kSg, 0xDF},
                                                                {kBlock, 0x00},
                                                                {kBlock, 0x55},
                                                                {kSg, 0x55},
                                                                {kBlock, 0x5A},
                                                                {kBlock, 0xDF},
                                                                {kSg, 0xDF}}));
  EXPECT_EQ(rig.kernel.OpensOf(kSg), 1u);
}

TEST(SgNodeRetry, AnSgNodeThatWouldNotOpenIsNotTriedAgain) {
  Rig rig;
  rig.kernel.nodes[kSg] = {EACCES, 0};
  rig.kernel.answer = [](const std::string&, sg_io_hdr_t&) { return EPERM; };
  auto handle = rig.system->OpenDevice("sr1");
  for (int i = 0; i < 3; ++i) {
    platform::PassThroughRequest request = fake::ReadRequest(0xDF, nullptr, 0);
    EXPECT_FALSE(handle->PassThrough(request));
  }
  EXPECT_EQ(rig.kernel.OpensOf(kSg), 1u);
  EXPECT_EQ(rig.kernel.SgIosOn(kSg), 0u);
}

}  // namespace
