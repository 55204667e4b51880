#include "app/device_worker.h"

#include <QEventLoop>
#include <exception>
#include <memory>

namespace app {

DeviceWorker::DeviceWorker(QObject* receiver) : receiver_(receiver), threadContext_(new QObject) {
  thread_.setObjectName("device");
  threadContext_->moveToThread(&thread_);
  thread_.start();
}

DeviceWorker::~DeviceWorker() {
  thread_.quit();
  thread_.wait();
  delete threadContext_;
}

void DeviceWorker::Post(Job job, Done done) {
  ++pending_;
  auto finish = [this, done = std::move(done)](const QString& error) {
    QMetaObject::invokeMethod(
        receiver_,
        [this, done, error] {
          --pending_;
          if (done) done(error);
        },
        Qt::QueuedConnection);
  };
  QMetaObject::invokeMethod(
      threadContext_,
      [job = std::move(job), finish = std::move(finish)] {
        QString error;
        try {
          job();
        } catch (const std::exception& e) {
          error = QString::fromLocal8Bit(e.what());
          if (error.isEmpty()) error = "error";
        } catch (...) {
          error = "unknown error";
        }
        finish(error);
      },
      Qt::QueuedConnection);
}

QString DeviceWorker::RunAndWait(Job job) {
  QEventLoop loop;
  auto result = std::make_shared<QString>();
  auto finished = std::make_shared<bool>(false);
  Post(std::move(job), [&loop, result, finished](const QString& error) {
    *result = error;
    *finished = true;
    loop.quit();
  });
  if (!*finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return *result;
}

}  // namespace app
