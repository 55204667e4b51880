// Where the main window's device work runs: one job at a time, in the order posted, off the
// window's thread; each job's completion comes back on the window's thread. A toolkit
// implements it with its own thread and event queue; tests run it in step.
#pragma once

#include <functional>
#include <string>

namespace app::model {

class DeviceThread {
 public:
  using Job = std::function<void()>;
  // Runs on the window's thread with the job's error text (empty when it succeeded): a job
  // that throws ends with the exception's text, never inside the window's event loop.
  using Done = std::function<void(const std::string& error)>;

  virtual ~DeviceThread() = default;
  virtual void Post(Job job, Done done) = 0;
  // Runs a job and waits for it while the window keeps painting (input is not processed);
  // returns the job's error text.
  virtual std::string RunAndWait(Job job) = 0;
  // Hands a call made on the device thread to the window's thread, in order. Calls still
  // queued when the thread object is destroyed are dropped.
  virtual void ToWindow(std::function<void()> call) = 0;
};

}  // namespace app::model
