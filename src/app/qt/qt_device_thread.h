// The main window's device thread in Qt: a QThread that runs one job at a time, in the order
// posted, and hands each completion (and every call for the window) back to the window's
// thread through its event queue.
#pragma once

#include <QObject>
#include <QThread>

#include "app/model/device_thread.h"

namespace app {

class QtDeviceThread : public model::DeviceThread {
 public:
  QtDeviceThread();
  ~QtDeviceThread() override;  // waits for the job in progress; drops what is still queued

  void Post(Job job, Done done) override;
  std::string RunAndWait(Job job) override;
  void ToWindow(std::function<void()> call) override;

 private:
  QObject windowContext_;  // lives on the window's thread; completions are queued to it
  QThread thread_;
  QObject* threadContext_;
};

}  // namespace app
