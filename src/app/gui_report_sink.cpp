#include "app/gui_report_sink.h"

namespace app {

void GuiReportSink::Post(std::function<void()> call) {
  if (abandon_.load()) throw QueryAbandoned{};
  if (receiver_.isNull()) return;
  QMetaObject::invokeMethod(receiver_.data(), std::move(call), Qt::QueuedConnection);
}

void GuiReportSink::PleaseWait(const std::string& line) {
  Post([target = target_, line] { target.pleaseWait(line); });
}

void GuiReportSink::Cleared() {
  Post([target = target_] { target.cleared(); });
}

void GuiReportSink::Line(const std::string& line) {
  Post([target = target_, line] { target.line(line); });
}

}  // namespace app
