// The skin's behaviour that the windows rely on, keyboard access, and the device thread.
#include <QKeyEvent>
#include <QTest>
#include <QThread>
#include <stdexcept>

#include "app/device_worker.h"
#include "app/gui_report_sink.h"
#include "app/skin/skin_buttons.h"
#include "app/skin/skin_form.h"
#include "app/skin/skin_message_box.h"
#include "app/skin/skin_page_control.h"
#include "app/skin/skin_widgets.h"
#include "gui_test_support.h"

namespace {

using gui_testing::ModalWatcher;
using gui_testing::Rig;

TEST(SkinForm, TitleBarButtonsActOnTheirWindow) {
  QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
  window.resize(300, 200);
  auto* frame = new skin::SkinForm(&window);
  frame->setGeometry(0, 0, 300, 200);
  frame->SetTitleButtons(skin::SkinForm::Close | skin::SkinForm::Maximize);
  window.show();
  EXPECT_TRUE(frame->TitleButtonRect(skin::SkinForm::Minimize).isEmpty());
  EXPECT_TRUE(frame->TitleButtonRect(skin::SkinForm::SystemMenu).isEmpty());
  const QRect close = frame->TitleButtonRect(skin::SkinForm::Close);
  ASSERT_FALSE(close.isEmpty());
  EXPECT_LE(close.right(), 299);
  EXPECT_LT(frame->TitleButtonRect(skin::SkinForm::Maximize).right(), close.left());
  QTest::mouseClick(frame, Qt::LeftButton, {}, close.center());
  EXPECT_FALSE(window.isVisible());
}

TEST(SkinForm, AFormWithoutTitleBarHasNoButtons) {
  skin::SkinForm frame(nullptr);
  frame.resize(246, 85);
  frame.SetTitleBarVisible(false);
  EXPECT_TRUE(frame.TitleButtonRect(skin::SkinForm::Close).isEmpty());
}

TEST(PageControl, TabsAndKeysSelectPages) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  app::TfrmMain& w = *rig.window;
  w.show();
  QTest::mouseClick(w.suiPageControl1, Qt::LeftButton, {}, w.suiPageControl1->TabRect(2).center());
  EXPECT_EQ(w.suiPageControl1->ActivePageIndex(), 2);
  EXPECT_TRUE(w.suiTabSheet3->isVisible());
  w.suiPageControl1->setFocus();
  QTest::keyClick(w.suiPageControl1, Qt::Key_Left);
  EXPECT_EQ(w.suiPageControl1->ActivePageIndex(), 1);
  // The tabs start 10 pixels in.
  EXPECT_EQ(w.suiPageControl1->TabRect(0).left(), 10);
  EXPECT_EQ(w.suiPageControl1->TabRect(0).right() + 1, w.suiPageControl1->TabRect(1).left());
}

TEST(Keyboard, EveryVisibleButtonTakesFocusFromTheKeyboard) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  app::TfrmMain& w = *rig.window;
  for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
    const bool decorative = button == w.imgbtnOLV || button == w.imgbtnVEXO;
    if (decorative || !button->isVisibleTo(&w)) continue;
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
  }
  EXPECT_TRUE(w.cboDrives->focusPolicy() & Qt::TabFocus);
  EXPECT_TRUE(w.lblCopyright->focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(w.cmdRefresh->shortcut(), QKeySequence(Qt::Key_F5));
}

TEST(MessageBox, FitsItsTextAndAnswersOk) {
  skin::SkinMessageBox box;
  EXPECT_EQ(box.objectName(), "suiMsgBox");
  EXPECT_EQ(box.Caption(), "Information");
  const QString text = "Unable to create Device Object !";
  box.SetText(text);
  auto* label = box.findChild<QLabel*>("text");
  ASSERT_NE(label, nullptr);
  EXPECT_GE(label->width(), QFontMetrics(label->font()).horizontalAdvance(text));
  EXPECT_LE(label->geometry().right(), box.width());
  auto* ok = box.findChild<QPushButton*>("btnOK");
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), "OK");
  QTimer::singleShot(0, ok, &QPushButton::click);
  EXPECT_EQ(box.Execute(), QDialog::Accepted);
}

TEST(MessageBox, IconsFollowTheFlags) {
  EXPECT_EQ(skin::IconOfFlags(0x10), skin::SkinMessageBox::Icon::Error);
  EXPECT_EQ(skin::IconOfFlags(0x30), skin::SkinMessageBox::Icon::Warning);
  EXPECT_EQ(skin::IconOfFlags(0x40), skin::SkinMessageBox::Icon::Information);
  EXPECT_EQ(skin::IconOfFlags(0x00), skin::SkinMessageBox::Icon::Information);
}

TEST(DeviceWorker, RunsJobsInOrderOffTheWindowThreadAndReportsErrors) {
  QObject receiver;
  app::DeviceWorker worker(&receiver);
  std::vector<int> order;
  std::vector<QString> errors;
  QThread* windowThread = QThread::currentThread();
  QThread* jobThread = nullptr;
  worker.Post(
      [&] {
        jobThread = QThread::currentThread();
        order.push_back(1);
      },
      [&](const QString& e) { errors.push_back(e); });
  worker.Post([] { throw std::runtime_error("no medium"); },
              [&](const QString& e) { errors.push_back(e); });
  worker.Post([&] { order.push_back(3); }, [&](const QString& e) { errors.push_back(e); });
  EXPECT_EQ(worker.Pending(), 3);
  EXPECT_EQ(worker.RunAndWait([&] { order.push_back(4); }), QString());
  EXPECT_EQ(order, (std::vector<int>{1, 3, 4}));
  EXPECT_EQ(errors, (std::vector<QString>{"", "no medium", ""}));
  EXPECT_EQ(worker.Pending(), 0);
  EXPECT_NE(jobThread, windowThread);
}

TEST(ReportSink, AnAbandonedQueryStopsAtItsNextStep) {
  QObject receiver;
  std::vector<std::string> shown;
  std::atomic<bool> abandon{false};
  app::GuiReportSink sink(
      &receiver,
      {[&](const std::string& l) { shown.push_back("wait:" + l); },
       [&] { shown.push_back("cleared"); }, [&](const std::string& l) { shown.push_back(l); }},
      abandon);
  sink.PleaseWait("Please wait ...");
  sink.Cleared();
  sink.Line("one");
  abandon = true;
  EXPECT_THROW(sink.Line("two"), app::QueryAbandoned);
  QCoreApplication::processEvents();
  EXPECT_EQ(shown, (std::vector<std::string>{"wait:Please wait ...", "cleared", "one"}));
}

}  // namespace
