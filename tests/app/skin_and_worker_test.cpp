// The skin's behaviour that the windows rely on, keyboard access, and the device thread.
#include <QKeyEvent>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <stdexcept>

#include "app/qt/qt_device_thread.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/skin/skin_widgets.h"
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
  QTest::mouseClick(w.Controls().suiPageControl1, Qt::LeftButton, {},
                    w.Controls().suiPageControl1->TabRect(2).center());
  EXPECT_EQ(w.Controls().suiPageControl1->ActivePageIndex(), 2);
  EXPECT_TRUE(w.Controls().suiTabSheet3->isVisible());
  w.Controls().suiPageControl1->setFocus();
  QTest::keyClick(w.Controls().suiPageControl1, Qt::Key_Left);
  EXPECT_EQ(w.Controls().suiPageControl1->ActivePageIndex(), 1);
  // The tabs start 10 pixels in.
  EXPECT_EQ(w.Controls().suiPageControl1->TabRect(0).left(), 10);
  EXPECT_EQ(w.Controls().suiPageControl1->TabRect(0).right() + 1,
            w.Controls().suiPageControl1->TabRect(1).left());
}

TEST(Keyboard, EveryVisibleButtonTakesFocusFromTheKeyboard) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  app::TfrmMain& w = *rig.window;
  for (QAbstractButton* button : w.findChildren<QAbstractButton*>()) {
    const bool decorative = button == w.Controls().imgbtnOLV || button == w.Controls().imgbtnVEXO;
    if (decorative || !button->isVisibleTo(&w)) continue;
    EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus) << button->objectName().toStdString();
  }
  EXPECT_TRUE(w.Controls().cboDrives->focusPolicy() & Qt::TabFocus);
  EXPECT_TRUE(w.Controls().lblCopyright->focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(w.Controls().cmdRefresh->shortcut(), QKeySequence(Qt::Key_F5));
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

TEST(QtDeviceThread, RunsJobsInOrderOffTheWindowThreadAndReportsErrors) {
  app::QtDeviceThread thread;
  std::vector<int> jobs;            // written on the device thread only
  std::vector<std::string> window;  // written on the window's thread only
  QThread* windowThread = QThread::currentThread();
  QThread* jobThread = nullptr;
  bool doneOnWindowThread = true;
  const auto done = [&](const std::string& e) {
    window.push_back("done:" + e);
    doneOnWindowThread = doneOnWindowThread && QThread::currentThread() == windowThread;
  };
  thread.Post(
      [&] {
        jobThread = QThread::currentThread();
        jobs.push_back(1);
        thread.ToWindow([&] { window.push_back("call from job 1"); });
      },
      done);
  thread.Post([] { throw std::runtime_error("no medium"); }, done);
  thread.Post([&] { jobs.push_back(3); }, done);
  EXPECT_EQ(thread.RunAndWait([&] { jobs.push_back(4); }), "");
  EXPECT_EQ(thread.RunAndWait([] { throw std::runtime_error("gone"); }), "gone");
  EXPECT_EQ(jobs, (std::vector<int>{1, 3, 4}));
  // A call handed to the window comes before the completion of the job that made it.
  EXPECT_EQ(window,
            (std::vector<std::string>{"call from job 1", "done:", "done:no medium", "done:"}));
  EXPECT_NE(jobThread, windowThread);
  EXPECT_TRUE(doneOnWindowThread);
}

}  // namespace
