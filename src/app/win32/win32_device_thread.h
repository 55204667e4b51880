// The main window's device thread on Win32: one worker thread runs the jobs in order; what
// it hands to the window comes back through a message-only window, so it runs on the window
// thread between other messages.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

#include "app/model/device_thread.h"
#include "platform/windows_api.h"

namespace win32ui {

class Win32DeviceThread : public app::model::DeviceThread {
 public:
  // Made on the window thread.
  Win32DeviceThread();
  // Waits for the job in progress; jobs not started and calls not yet run are dropped.
  ~Win32DeviceThread() override;

  void Post(Job job, Done done) override;
  std::string RunAndWait(Job job) override;
  void ToWindow(std::function<void()> call) override;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void Work();
  void RunCalls();

  HWND window_ = nullptr;
  std::mutex jobsMutex_;
  std::condition_variable jobsReady_;
  std::deque<std::pair<Job, Done>> jobs_;
  bool stopping_ = false;
  std::mutex callsMutex_;
  std::deque<std::function<void()>> calls_;
  std::thread worker_;
};

}  // namespace win32ui
