// Runs device work off the window thread, one job at a time, in the order posted. Each
// job's completion is handed back to the window thread. Exceptions never cross into Qt's
// event loop: a job that throws completes with the error's text.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>
#include <functional>

namespace app {

class DeviceWorker {
 public:
  using Job = std::function<void()>;
  using Done = std::function<void(const QString& error)>;

  // Completions run on `receiver`'s thread and are dropped once it is destroyed.
  explicit DeviceWorker(QObject* receiver);
  ~DeviceWorker();  // waits for the job in progress
  DeviceWorker(const DeviceWorker&) = delete;
  DeviceWorker& operator=(const DeviceWorker&) = delete;

  void Post(Job job, Done done);
  // Runs a job and waits for it while the window thread keeps processing events. Returns the
  // job's error text, empty when it succeeded.
  QString RunAndWait(Job job);

  // Jobs posted whose completion has not run yet.
  int Pending() const { return pending_; }

 private:
  QObject* receiver_;
  QThread thread_;
  QObject* threadContext_;
  int pending_ = 0;
};

}  // namespace app
