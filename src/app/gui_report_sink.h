// Hands the report, produced on the device thread, to the window thread in its order.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <functional>
#include <string>

#include "media/media_report.h"

namespace app {

// Thrown into the report when the window stops waiting for it (it is closing).
struct QueryAbandoned {};

class GuiReportSink : public media::ReportSink {
 public:
  struct Target {
    std::function<void(const std::string&)> pleaseWait;
    std::function<void()> cleared;
    std::function<void(const std::string&)> line;
  };

  // The target's functions run on `receiver`'s thread. Once `abandon` is set, the next
  // report step throws QueryAbandoned, so the query ends after the drive's current command.
  GuiReportSink(QObject* receiver, Target target, const std::atomic<bool>& abandon)
      : receiver_(receiver), target_(std::move(target)), abandon_(abandon) {}

  void PleaseWait(const std::string& line) override;
  void Cleared() override;
  void Line(const std::string& line) override;

 private:
  void Post(std::function<void()> call);

  QPointer<QObject> receiver_;
  Target target_;
  const std::atomic<bool>& abandon_;
};

}  // namespace app
