#include "app/qt/qt_device_thread.h"

#include <QEventLoop>
#include <exception>
#include <memory>

namespace app {

QtDeviceThread::QtDeviceThread() : threadContext_(new QObject) {
  thread_.setObjectName("device");
  threadContext_->moveToThread(&thread_);
  thread_.start();
}

QtDeviceThread::~QtDeviceThread() {
  thread_.quit();
  thread_.wait();
  delete threadContext_;
}

void QtDeviceThread::ToWindow(std::function<void()> call) {
  QMetaObject::invokeMethod(&windowContext_, std::move(call), Qt::QueuedConnection);
}

void QtDeviceThread::Post(Job job, Done done) {
  QMetaObject::invokeMethod(
      threadContext_,
      [this, job = std::move(job), done = std::move(done)] {
        std::string error;
        try {
          job();
        } catch (const std::exception& e) {
          error = e.what();
          if (error.empty()) error = "error";
        } catch (...) {
          error = "unknown error";
        }
        ToWindow([done, error] {
          if (done) done(error);
        });
      },
      Qt::QueuedConnection);
}

std::string QtDeviceThread::RunAndWait(Job job) {
  QEventLoop loop;
  auto result = std::make_shared<std::string>();
  auto finished = std::make_shared<bool>(false);
  Post(std::move(job), [&loop, result, finished](const std::string& error) {
    *result = error;
    *finished = true;
    loop.quit();
  });
  if (!*finished) loop.exec(QEventLoop::ExcludeUserInputEvents);
  return *result;
}

}  // namespace app
