// The smaller windows and controls: about dialog, warning, splash, link label, message box.
#include <QLabel>

#include "app/qt/frm_main.h"
#include "app/qt/frm_quillrate_msg_box.h"
#include "app/qt/frm_splash.h"
#include "app/qt/frm_warning.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_widgets.h"
#include "custom/about_text.h"
#include "custom/customization_block.h"
#include "gui_test_support.h"

namespace {

using gui_testing::ModalWatcher;
using gui_testing::Rig;

TEST(AboutDialog, ShowsTheComposedTextOfTheBlock) {
  app::TfrmQuillrateMsgBox about(
      nullptr, QString::fromStdString(custom::ComposeAboutText(custom::ProgramBlock())));
  const std::string text = about.lblQuillrate->text().toStdString();
  const std::string head =
      "Release Date : 2006/02/13\n"
      "     Version : 3.1.16\n"
      "Drive Models : for VEXO CD-RW, COMBO, DVD Writer\n\n"
      "                            Remarks : \n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  EXPECT_EQ(text, custom::ComposeAboutText(custom::ProgramBlock()));
  EXPECT_EQ(about.suiForm1->Caption(), "Quill-Rate");
  EXPECT_EQ(about.suiForm1->TitleButtons(), skin::SkinForm::Close);
  EXPECT_EQ(about.size(), QSize(486, 420));
  EXPECT_EQ(about.Bevel1->geometry(), QRect(12, 36, 461, 349));
  EXPECT_EQ(about.lblQuillrate->geometry(), QRect(20, 40, 445, 341));
  EXPECT_TRUE(about.lblQuillrate->wordWrap());
  EXPECT_EQ(about.cmdClose->geometry(), QRect(208, 392, 81, 21));
  EXPECT_EQ(about.cmdClose->text(), "Close");
}

TEST(AboutDialog, OpensModallyFromTheQuillRateButtonAndCloses) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  EXPECT_EQ(rig.window->Controls().cmdShowQR->text(), "QUILL-RATE");
  rig.window->Controls().cmdShowQR->click();
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "frmQuillrateMsgBox");
  EXPECT_EQ(watcher.Seen()[0].caption, "Quill-Rate");
}

TEST(Warning, IsPlacedAtTheSameScreenPositionWithItsTexts) {
  const app::model::WindowMessage text = app::model::PaceliftWarningMessage();
  app::TfrmWarning warning(nullptr, QString::fromStdString(text.text),
                           QString::fromStdString(text.caption));
  EXPECT_EQ(warning.pos(), QPoint(318, 265));
  EXPECT_EQ(warning.size(), QSize(341, 122));
  EXPECT_EQ(warning.suiForm1->Caption(), "Warning...");
  EXPECT_EQ(warning.Label1->geometry(), QRect(24, 36, 289, 53));
  EXPECT_TRUE(warning.Label1->wordWrap());
  EXPECT_EQ(warning.suiButton1->text(), "Close");
  EXPECT_EQ(warning.suiButton1->geometry(), QRect(248, 88, 80, 25));
  warning.show();
  warning.suiButton1->click();
  EXPECT_FALSE(warning.isVisible());
}

TEST(Splash, HasNoTitleBarAndStaysOnTop) {
  app::TfrmSplash splash;
  EXPECT_EQ(splash.size(), QSize(248, 87));
  EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(splash.suiForm1->TitleBarVisible());
  EXPECT_EQ(splash.suiForm1->geometry(), QRect(1, 1, 246, 85));
  EXPECT_EQ(splash.Label1->text(), "Querying Device ...");
  EXPECT_EQ(splash.Label1->geometry(), QRect(64, 36, 123, 13));
}

TEST(LinkLabel, OpensItsTargetUnlessItIsBlank) {
  std::vector<QUrl> opened;
  skin::LinkLabel::SetOpener([&](const QUrl& url) {
    opened.push_back(url);
    return true;
  });
  skin::LinkLabel label(nullptr);
  for (const char* blank : {"", "   "}) {
    label.SetLinkTarget(blank);
    EXPECT_FALSE(label.Activate());
  }
  EXPECT_TRUE(opened.empty());
  label.SetLinkTarget(app::kOemWebAddress);
  EXPECT_TRUE(label.Activate());
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], QUrl(app::kOemWebAddress));
  skin::LinkLabel::SetOpener([](const QUrl&) { return false; });
}

TEST(UserFileButton, AddsAndRemovesWithItsInformationBox) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  rig.window->UserFileChosen(std::nullopt);
  ASSERT_EQ(watcher.Seen().size(), 1u);
  EXPECT_EQ(watcher.Seen()[0].name, "suiMsgBox");
  EXPECT_EQ(watcher.Seen()[0].caption, "Information");
  EXPECT_EQ(watcher.Seen()[0].text, "User-defined file removed !");
  EXPECT_EQ(watcher.Seen()[0].icon, skin::SkinMessageBox::Icon::Information);
}

TEST(Fonts, TheFixedPitchFamilyIsReallyFixedPitch) {
  const QFont font = skin::SkinFont({"Courier New", 12});
  const QFontMetrics metrics(font);
  EXPECT_EQ(metrics.horizontalAdvance("iiiiiiiiii"), metrics.horizontalAdvance("WWWWWWWWWW"))
      << font.family().toStdString();
  EXPECT_EQ(font.pixelSize(), 12);
}

TEST(Fonts, LabelsShowTheirWholeCaption) {
  ModalWatcher watcher;
  Rig rig(testing_machines::OneDrive());
  for (QLabel* label : rig.window->findChildren<QLabel*>()) {
    if (label->wordWrap() || label->text().isEmpty() || label->pixmap().isNull() == false) continue;
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width() + 2)
        << label->objectName().toStdString() << ": " << label->text().toStdString();
  }
}

}  // namespace
