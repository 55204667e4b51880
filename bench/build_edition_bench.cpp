// One build from a 10 MB prototype, against copying the same file: the builder reads the
// whole prototype, fills the block and writes a flushed copy, so a plain copy (and a copy
// flushed to disk the same way) is the yardstick. Wall time, since most of it is I/O.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "custom/build_edition.h"
#include "custom/customization_block.h"

namespace {

namespace fs = std::filesystem;

constexpr size_t kPrototypeSize = 10 * 1024 * 1024;

// A folder with a 10 MB prototype whose block sits at 6 MB, the way read-only data sits
// in the middle of an executable, and the folders the outputs go to.
class Workspace {
 public:
  Workspace() {
    root_ = fs::temp_directory_path() / ("quillrate-build-bench-" + std::to_string(::getpid()));
    fs::create_directories(root_ / "out");
    std::vector<uint8_t> image(kPrototypeSize);
    for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<uint8_t>((i * 131) >> 3);
    const auto block = custom::ProgramBlock();
    for (size_t i = 0; i < sizeof(custom::CustomizationBlock); ++i) {
      image[6 * 1024 * 1024 + i] = block.ByteAt(i);
    }
    std::ofstream(Prototype(), std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()),
               static_cast<std::streamsize>(image.size()));
  }
  ~Workspace() {
    std::error_code error;
    fs::remove_all(root_, error);
  }
  std::string Prototype() const { return (root_ / "prototype").string(); }
  std::string Out() const { return (root_ / "out").string(); }

 private:
  fs::path root_;
};

Workspace& Shared() {
  static Workspace workspace;
  return workspace;
}

void BuildFrom10MbPrototype(benchmark::State& state) {
  const Workspace& work = Shared();
  const custom::BuildRequest request{QUILLRATE_EXAMPLE_PROPERTIES, work.Prototype(), work.Out()};
  for (auto _ : state) {
    const auto outcome = custom::BuildEdition(request);
    if (!outcome.Succeeded()) state.SkipWithError(outcome.text.c_str());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPrototypeSize));
}
BENCHMARK(BuildFrom10MbPrototype)->Unit(benchmark::kMillisecond)->UseRealTime();

void CpOf10MbPrototype(benchmark::State& state) {
  const Workspace& work = Shared();
  const std::string command = "cp '" + work.Prototype() + "' '" + work.Out() + "/cp-copy'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPrototypeSize));
}
BENCHMARK(CpOf10MbPrototype)->Unit(benchmark::kMillisecond)->UseRealTime();

// cp does not flush; the builder does, so that a power cut never leaves half an edition.
void CpAndSyncOf10MbPrototype(benchmark::State& state) {
  const Workspace& work = Shared();
  const std::string copy = work.Out() + "/cp-copy";
  const std::string command = "cp '" + work.Prototype() + "' '" + copy + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("cp failed");
    const int fd = ::open(copy.c_str(), O_RDONLY);
    if (fd < 0 || ::fsync(fd) != 0) state.SkipWithError("fsync failed");
    if (fd >= 0) ::close(fd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPrototypeSize));
}
BENCHMARK(CpAndSyncOf10MbPrototype)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
