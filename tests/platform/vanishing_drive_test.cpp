// A drive that vanishes while it is being asked (unplugged, its controller reset): every
// kernel call fails with ENODEV or ENXIO from then on. Over the Linux backend the program
// must see failed commands, end, and show what the simulator's vanishing drive shows.
#include <climits>

#include <gtest/gtest.h>

#include "features/feature_view.h"
#include "media/drive_kind.h"
#include "media/media_report.h"
#include "platform/fake_kernel.h"
#include "platform/linux/linux_system.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

using fake::FakeKernel;

// What the program made of one drive: the list, the report and the feature page.
struct Outcome {
  int drives = 0;
  std::vector<std::string> lines;
  std::vector<std::string> features;
  std::vector<uint8_t> opcodes;  // of every command sent
  bool operator==(const Outcome&) const = default;
};

Outcome Query(platform::System& system) {
  Outcome out;
  auto device = media::CreateDevice(system);
  out.drives = device->GetDriveCount();
  if (out.drives > 0 && device->SelectDrive(0)) {
    media::SilentReportSink sink;
    out.lines = media::RunMediaReport(*device, {}, sink).lines;
    for (const features::FeatureView& view : features::RefreshAbilities(*device)) {
      out.features.push_back(view.support + "/" + view.state);
    }
  }
  return out;
}

// The demonstration machine with only its drive `index`, gone after `vanishAfter` commands.
sim::Machine OneDemoDrive(size_t index, int vanishAfter) {
  sim::Machine machine = sim::DemoMachine();
  sim::Drive drive = machine.drives.at(index);
  drive.vanishAfter = vanishAfter;
  machine.drives = {drive};
  return machine;
}

// The same drive behind the Linux backend as /dev/sr0; the kernel loses it after `cut`
// SG_IO calls.
Outcome QueryThroughLinux(size_t index, int cut, int error, FakeKernel& kernel) {
  sim::SimSystem drives(OneDemoDrive(index, -1));
  const std::string root = drives.MachineModel().drives[0].root;
  kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0", "sg0");
  kernel.answer = [&, bridge = fake::SimulatedDrives(drives, {{"/dev/sr0", root}}), calls = 0](
                      const std::string& node, sg_io_hdr_t& io) mutable {
    if (++calls > cut) {
      kernel.goneError = error;
      return error;
    }
    return bridge(node, io);
  };
  sim::RecordingMessageSink sink;
  auto system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
  Outcome out = Query(*system);
  for (const fake::SgIoCall& call : kernel.sgIos) out.opcodes.push_back(call.cdb.at(0));
  kernel.answer = nullptr;  // it holds on to the simulator, which ends here
  return out;
}

Outcome QueryOnSimulator(size_t index, int vanishAfter) {
  sim::SimSystem system(OneDemoDrive(index, vanishAfter));
  Outcome out = Query(system);
  for (const sim::LoggedCommand& command : system.Log()) out.opcodes.push_back(command.cdb[0]);
  return out;
}

TEST(VanishingDrive, EveryCutPointEndsLikeTheSimulatorsVanishingDrive) {
  const size_t driveCount = sim::DemoMachine().drives.size();
  for (size_t index = 0; index < driveCount; ++index) {
    // Without a cut: the whole query through the backend's rules equals the simulator's.
    FakeKernel whole;
    const Outcome full = QueryThroughLinux(index, INT_MAX, ENODEV, whole);
    ASSERT_EQ(full, QueryOnSimulator(index, -1)) << "drive " << index;
    ASSERT_GT(full.lines.size(), 1u);
    const int commands = static_cast<int>(full.opcodes.size());
    for (int cut = 0; cut <= commands; ++cut) {
      for (int error : {ENODEV, ENXIO}) {
        SCOPED_TRACE("drive " + std::to_string(index) + ", gone after " + std::to_string(cut) +
                     " commands, errno " + std::to_string(error));
        FakeKernel kernel;
        const Outcome cutOff = QueryThroughLinux(index, cut, error, kernel);
        EXPECT_EQ(cutOff, QueryOnSimulator(index, cut));
        // Every command after the cut failed in the kernel, and none went to the sg node.
        for (size_t i = static_cast<size_t>(cut); i < kernel.sgIos.size(); ++i) {
          EXPECT_EQ(kernel.sgIos[i].result, error);
        }
        EXPECT_EQ(kernel.SgIosOn("/dev/sg0"), 0u);
        EXPECT_EQ(kernel.OpensOf("/dev/sg0"), 0u);
      }
    }
  }
}

TEST(VanishingDrive, GoneBeforeTheFirstCall) {
  for (int error : {ENODEV, ENXIO}) {
    FakeKernel kernel;
    kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0", "sg0");
    kernel.goneError = error;
    sim::RecordingMessageSink sink;
    auto system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
    EXPECT_EQ(system->LogicalDriveRoots(), std::vector<std::string>{});
    EXPECT_EQ(system->GetDriveType("sr0"), platform::DriveType::NoRootDir);
    EXPECT_EQ(system->OpenDevice("sr0"), nullptr);
    EXPECT_EQ(media::CreateDevice(*system)->GetDriveCount(), 0);
  }
}

TEST(VanishingDrive, AnOpenHandleFailsEveryCall) {
  for (int error : {ENODEV, ENXIO}) {
    FakeKernel kernel;
    kernel.AddBlockDevice("sr0", "5", "../../../0:0:0:0", "sg0");
    sim::RecordingMessageSink sink;
    auto system = platform::CreateLinuxSystem(sink, kernel, "/nonexistent/settings.ini");
    auto handle = system->OpenDevice("sr0");
    ASSERT_NE(handle, nullptr);
    kernel.goneError = error;
    std::vector<uint8_t> buffer(96, 0xEE);
    platform::PassThroughRequest request = fake::ReadRequest(0x12, buffer.data(), 96);
    EXPECT_FALSE(handle->PassThrough(request));
    EXPECT_EQ(request.DataTransferLength, 0u);
    platform::ScsiAddress address;
    EXPECT_FALSE(handle->GetScsiAddress(address));
    handle.reset();
    EXPECT_TRUE(kernel.OpenDescriptors().empty());
  }
}

}  // namespace
