// The window program's responsiveness on the demonstration machine with drives that take
// real time to answer: the time from start to the main window shown, the longest time the
// event loop is held up during a query, and the peak memory. Run offscreen:
//   QT_QPA_PLATFORM=offscreen build/release/bench/quillrate_gui_bench
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/model/program_services.h"
#include "app/qt/frm_main.h"
#include "platform/sim/fixture_loader.h"
#include "platform/sim/sim_system.h"

namespace {

using namespace std::chrono_literals;

// Real time each drive command costs: a few milliseconds per command, and a spin-up when the
// query first asks whether the drive is ready (the disc has spun down since start-up).
constexpr auto kCommandCost = 4ms;
constexpr auto kSpinUp = 400ms;

class PacedHandle : public platform::DeviceHandle {
 public:
  PacedHandle(std::unique_ptr<platform::DeviceHandle> inner, bool& spunUp)
      : inner_(std::move(inner)), spunUp_(spunUp) {}
  bool PassThrough(platform::PassThroughRequest& request) override {
    std::this_thread::sleep_for(kCommandCost);
    if (request.Cdb[0] == 0x00 && !spunUp_) {
      std::this_thread::sleep_for(kSpinUp);
      spunUp_ = true;
    }
    return inner_->PassThrough(request);
  }
  bool GetScsiAddress(platform::ScsiAddress& address) override {
    return inner_->GetScsiAddress(address);
  }

 private:
  std::unique_ptr<platform::DeviceHandle> inner_;
  bool& spunUp_;
};

// The simulated machine, with every pass-through call paced in real time.
class PacedSystem : public platform::System {
 public:
  explicit PacedSystem(sim::SimSystem& inner) : inner_(inner) {}
  std::optional<uint32_t> PlatformId() override { return inner_.PlatformId(); }
  std::optional<std::vector<std::string>> LogicalDriveRoots() override {
    return inner_.LogicalDriveRoots();
  }
  platform::DriveType GetDriveType(const std::string& root) override {
    return inner_.GetDriveType(root);
  }
  std::unique_ptr<platform::DeviceHandle> OpenDevice(const std::string& root) override {
    auto handle = inner_.OpenDevice(root);
    if (!handle) return nullptr;
    return std::make_unique<PacedHandle>(std::move(handle), spunUp_);
  }
  std::unique_ptr<platform::AspiLibrary> LoadAspiLibrary(const std::string& name) override {
    return inner_.LoadAspiLibrary(name);
  }
  std::unique_ptr<platform::Event> CreateEvent() override { return inner_.CreateEvent(); }
  platform::Registry& Settings() override { return inner_.Settings(); }
  bool QueryPerformanceFrequency(int64_t& frequency) override {
    return inner_.QueryPerformanceFrequency(frequency);
  }
  bool QueryPerformanceCounter(int64_t& count) override {
    return inner_.QueryPerformanceCounter(count);
  }
  void Sleep(uint32_t milliseconds) override { inner_.Sleep(milliseconds); }
  platform::MessageSink& Messages() override { return inner_.Messages(); }
  // The next TEST UNIT READY waits for the disc to spin up.
  void SpinDown() { spunUp_ = false; }
  bool spunUp_ = true;

 private:
  sim::SimSystem& inner_;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);

  sim::SimSystem machine(sim::DemoMachine());
  PacedSystem system(machine);
  app::TfrmMain window(system, app::model::DefaultServices());
  window.show();
  QCoreApplication::processEvents();
  const qint64 startMs = sinceStart.elapsed();

  // A 1 ms timer ticks as long as the event loop runs; the longest gap between two ticks
  // is the longest time the window could not respond.
  QElapsedTimer clock;
  clock.start();
  qint64 lastTick = 0;
  qint64 longestGap = 0;
  QTimer ticker;
  ticker.setTimerType(Qt::PreciseTimer);
  QObject::connect(&ticker, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    if (lastTick != 0) longestGap = std::max(longestGap, now - lastTick);
    lastTick = now;
  });
  ticker.start(1);
  QSignalSpy finished(&window, &app::TfrmMain::QueryFinished);
  system.SpinDown();
  const qint64 queryStart = clock.elapsed();
  window.cmdRefreshClick();
  if (!finished.wait(60000)) {
    std::fprintf(stderr, "the query did not finish\n");
    return 1;
  }
  const qint64 queryMs = clock.elapsed() - queryStart;
  ticker.stop();

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("start to main window shown: %lld ms (target < 500 ms)\n",
              static_cast<long long>(startMs));
  std::printf("query on the demo CD-R: %lld ms, %zu report lines\n",
              static_cast<long long>(queryMs), window.ReportLines().size());
  std::printf("longest event loop stall during the query: %.1f ms (target < 50 ms)\n",
              static_cast<double>(longestGap) / 1e6);
  std::printf("peak memory: %ld KiB\n", usage.ru_maxrss);
  return 0;
}
