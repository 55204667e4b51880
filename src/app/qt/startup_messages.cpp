#include "app/qt/startup_messages.h"

#include <QApplication>
#include <QPointer>
#include <QThread>
#include <QWidget>
#include <vector>

#include "app/model/display_text.h"
#include "app/qt/skin/skin_message_box.h"

namespace app {
namespace {

void ShowOnWindowThread(const QString& text, const QString& caption, unsigned flags) {
  // The splash window stays on top of everything; step it aside while the box is up.
  std::vector<QPointer<QWidget>> splashes;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "frmSplash" && w->isVisible()) {
      splashes.emplace_back(w);
      w->hide();
    }
  }
  skin::SkinMessageBox box;
  box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.SetCaption(caption);
  box.SetIcon(skin::IconOfFlags(flags));
  box.SetText(text);
  box.Execute();
  for (const QPointer<QWidget>& w : splashes) {
    if (!w.isNull()) w->show();
  }
}

}  // namespace

void ShowStartupMessage(const QString& text, const QString& caption, unsigned flags) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;
  if (QThread::currentThread() == application->thread()) {
    ShowOnWindowThread(text, caption, flags);
    return;
  }
  QMetaObject::invokeMethod(
      application, [&] { ShowOnWindowThread(text, caption, flags); }, Qt::BlockingQueuedConnection);
}

void QtMessageSink::ShowMessage(const std::string& text, const std::string& caption,
                                uint32_t flags) {
  ShowStartupMessage(DisplayText(text), DisplayText(caption), flags);
}

QString DisplayText(const std::string& text) {
  return QString::fromStdString(model::DisplayText(text));
}

}  // namespace app
