// The one reader and the one atomic writer that every file of the program goes through.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "custom/temp_dir.h"
#include "platform/files/atomic_file.h"
#include "platform/files/file_test_hooks.h"
#include "platform/files/input_file.h"
#include "robustness/file_fault_support.h"

namespace {

namespace fs = std::filesystem;
using platform::ReadFault;
using platform::WriteFault;
using platform::WriteStep;

std::string ReadText(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), {}};
}

platform::AtomicWriteResult Write(
    const fs::path& target, const std::string& text,
    platform::LinkPolicy links = platform::LinkPolicy::FollowOwnLink) {
  return platform::WriteFileAtomically(
      target.string(), {reinterpret_cast<const uint8_t*>(text.data()), text.size()}, 0640, links);
}

struct StepCase {
  WriteStep step;
  uint64_t atByte;
  int error;
  WriteFault fault;
  std::string reason;
};

TEST(AtomicFile, AFailureAtAnyStepLeavesTheEarlierFileAndNoTemporaryFile) {
  const std::vector<StepCase> cases = {
      {WriteStep::Write, 0, ENOSPC, WriteFault::WriteFailed,
       "writing failed: No space left on device"},
      {WriteStep::Write, 70000, ENOSPC, WriteFault::WriteFailed,
       "writing failed: No space left on device"},
      {WriteStep::Write, 99999, EDQUOT, WriteFault::WriteFailed,
       "writing failed: Disk quota exceeded"},
      {WriteStep::Sync, 0, EIO, WriteFault::WriteFailed,
       "flushing to disk failed: Input/output error"},
      {WriteStep::Chmod, 0, EPERM, WriteFault::WriteFailed,
       "setting its permissions failed: Operation not permitted"},
      {WriteStep::Close, 0, ENOSPC, WriteFault::WriteFailed,
       "closing failed: No space left on device"},
      {WriteStep::Rename, 0, EXDEV, WriteFault::RenameFailed,
       "the new file could not take its name: Invalid cross-device link"},
  };
  const std::string big(100000, 'n');
  for (const StepCase& c : cases) {
    custom_test::TempDir dir;
    const file_faults::ScopedHooks hooks;
    const fs::path target = dir.Write("out.bin", "earlier");
    platform::TestHooks().writeFailure = {c.step, c.atByte, c.error};
    const auto result = Write(target, big);
    EXPECT_EQ(result.fault, c.fault) << c.reason;
    EXPECT_EQ(result.error, c.error) << c.reason;
    EXPECT_EQ(result.reason, c.reason);
    EXPECT_EQ(ReadText(target), "earlier") << c.reason;
    EXPECT_EQ(file_faults::HiddenNames(dir.Path()), "") << c.reason;
  }
}

TEST(AtomicFile, WritesTheWholeFileWithItsModeAndNothingBeside) {
  custom_test::TempDir dir;
  const fs::path target = dir.Write("out.bin", "earlier and longer");
  ASSERT_TRUE(Write(target, "new").ok());
  EXPECT_EQ(ReadText(target), "new");
  EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
  EXPECT_EQ(file_faults::HiddenNames(dir.Path()), "");
}

TEST(AtomicFile, ALinkIsWrittenThroughAndStaysALink) {
  custom_test::TempDir dir;
  fs::create_directory(fs::path(dir.Path()) / "real");
  const fs::path real = dir.Write("real/settings.ini", "earlier");
  const fs::path link = fs::path(dir.Path()) / "settings.ini";
  fs::create_symlink("real/settings.ini", link);
  ASSERT_TRUE(Write(link, "new").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadText(real), "new");
  EXPECT_EQ(file_faults::HiddenNames(dir.Path()), "");
}

TEST(AtomicFile, RefusesWhatItCannotReplaceAndSaysWhy) {
  custom_test::TempDir dir;
  const fs::path root(dir.Path());
  fs::create_symlink("loop", root / "loop");
  const fs::path socketPath = root / "socket";
  const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
  ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  const struct {
    fs::path target;
    WriteFault fault;
    std::string reason;
  } cases[] = {
      {root / "loop", WriteFault::BrokenLink,
       "a symbolic link to loop that cannot be followed: Too many levels of symbolic links"},
      {root / "none" / "out.bin", WriteFault::NoFolder,
       "its folder " + (root / "none").string() + " does not exist"},
      {socketPath, WriteFault::NotAFile, "a socket, not a regular file"},
  };
  for (const auto& c : cases) {
    const auto result = Write(c.target, "x");
    EXPECT_EQ(result.fault, c.fault) << c.target;
    EXPECT_EQ(result.reason, c.reason);
  }
  ::close(listener);
  EXPECT_TRUE(fs::is_socket(socketPath));
  EXPECT_EQ(file_faults::HiddenNames(dir.Path()), "");
}

TEST(ReadWholeFile, AFileThatGrowsOrShrinksWhileReadIsNotTaken) {
  struct Case {
    std::string what;
    std::string rewrite;
  };
  // Within one tick of the file system's clock the time stamp may stay as it was; the size
  // still tells.
  for (const Case& c : {Case{"grows", "0123456789abc"}, Case{"shrinks", "0123"}}) {
    custom_test::TempDir dir;
    const file_faults::ScopedHooks hooks;
    const fs::path path = dir.Write("f", "0123456789");
    platform::TestHooks().afterOpen = {path.string(), [&] {
                                         std::ofstream(path, std::ios::binary | std::ios::trunc)
                                             << c.rewrite;
                                       }};
    const auto contents = platform::ReadWholeFile(path.string());
    EXPECT_EQ(contents.problem.fault, ReadFault::Changed) << c.what;
    EXPECT_EQ(contents.problem.reason, "changed while it was being read") << c.what;
    EXPECT_TRUE(contents.bytes.empty()) << c.what;
  }
}

TEST(ReadWholeFile, LimitsAndReadErrorsGiveNoBytes) {
  custom_test::TempDir dir;
  const file_faults::ScopedHooks hooks;
  const fs::path path = dir.Write("f", std::string(100, 'x'));
  EXPECT_EQ(platform::ReadWholeFile(path.string(), 100).bytes.size(), 100u);
  const auto tooLarge = platform::ReadWholeFile(path.string(), 99);
  EXPECT_EQ(tooLarge.problem.reason, "too large (100 bytes)");
  EXPECT_TRUE(tooLarge.bytes.empty());
  platform::TestHooks().readFailure = {path.string(), 50, EIO};
  const auto failed = platform::ReadWholeFile(path.string());
  EXPECT_EQ(failed.problem.fault, ReadFault::ReadFailed);
  EXPECT_EQ(failed.problem.reason, "read error: Input/output error");
  EXPECT_TRUE(failed.bytes.empty());
}

}  // namespace
