#include "app/win32/win32_device_thread.h"

#include <exception>
#include <memory>

#include "app/win32/window_class.h"

namespace win32ui {
namespace {

constexpr wchar_t kClassName[] = L"QuillrateDeviceCalls";
constexpr UINT kRunCalls = WM_APP + 1;

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

Win32DeviceThread::Win32DeviceThread() {
  static const bool registered = RegisterWindowClass(kClassName, Procedure);
  (void)registered;
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            GetModuleHandleW(nullptr), this);
  worker_ = std::thread([this] { Work(); });
}

Win32DeviceThread::~Win32DeviceThread() {
  {
    const std::lock_guard<std::mutex> lock(jobsMutex_);
    stopping_ = true;
    jobs_.clear();
  }
  jobsReady_.notify_all();
  worker_.join();
  {
    const std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.clear();
  }
  SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

LRESULT CALLBACK Win32DeviceThread::Procedure(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(
        hwnd, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  if (message == kRunCalls) {
    if (auto* self = reinterpret_cast<Win32DeviceThread*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) {
      self->RunCalls();
    }
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

void Win32DeviceThread::Work() {
  for (;;) {
    std::pair<Job, Done> next;
    {
      std::unique_lock<std::mutex> lock(jobsMutex_);
      jobsReady_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      next = std::move(jobs_.front());
      jobs_.pop_front();
    }
    std::string error;
    try {
      next.first();
    } catch (const std::exception& e) {
      error = e.what();
      if (error.empty()) error = "error";
    } catch (...) {
      error = "unknown error";
    }
    ToWindow([done = std::move(next.second), error] {
      if (done) done(error);
    });
  }
}

void Win32DeviceThread::Post(Job job, Done done) {
  {
    const std::lock_guard<std::mutex> lock(jobsMutex_);
    jobs_.emplace_back(std::move(job), std::move(done));
  }
  jobsReady_.notify_one();
}

void Win32DeviceThread::ToWindow(std::function<void()> call) {
  {
    const std::lock_guard<std::mutex> lock(callsMutex_);
    calls_.push_back(std::move(call));
  }
  PostMessageW(window_, kRunCalls, 0, 0);
}

void Win32DeviceThread::RunCalls() {
  for (;;) {
    std::function<void()> call;
    {
      const std::lock_guard<std::mutex> lock(callsMutex_);
      if (calls_.empty()) return;
      call = std::move(calls_.front());
      calls_.pop_front();
    }
    call();
  }
}

std::string Win32DeviceThread::RunAndWait(Job job) {
  auto finished = std::make_shared<bool>(false);
  auto result = std::make_shared<std::string>();
  Post(std::move(job), [finished, result](const std::string& error) {
    *result = error;
    *finished = true;
  });
  // The windows keep painting; input waits until the job is done.
  MSG msg;
  while (!*finished) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (IsInput(msg.message)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return *result;
}

}  // namespace win32ui
