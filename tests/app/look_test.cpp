// The skin's fixed look: every window shows the same colours under a dark desktop theme as
// under a light one, the report stays readable (text to background contrast measured from
// the pixels), the windows keep their designed sizes, and at a scale of 2 they grow as a
// whole with their pictures drawn at that scale. ctest runs this file once more with
// QT_SCALE_FACTOR=2.
#include <QAbstractItemView>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <cmath>
#include <functional>
#include <map>

#include "app/model/help_text.h"
#include "app/qt/app_identity.h"
#include "app/qt/frm_build_qr.h"
#include "app/qt/frm_main.h"
#include "app/qt/frm_quillrate_msg_box.h"
#include "app/qt/frm_splash.h"
#include "app/qt/frm_warning.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_widgets.h"
#include "gui_test_support.h"
#include "platform/sim/fixture_loader.h"

namespace {

// A dark desktop theme, as a platform theme sets it: light text on dark grounds in every role.
QPalette DarkPalette() {
  QPalette p;
  const QColor text(0xEE, 0xEE, 0xEE), ground(0x2B, 0x2B, 0x2B), base(0x1E, 0x1E, 0x1E);
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    p.setColor(group, QPalette::Window, ground);
    p.setColor(group, QPalette::WindowText, text);
    p.setColor(group, QPalette::Base, base);
    p.setColor(group, QPalette::AlternateBase, ground);
    p.setColor(group, QPalette::Text, text);
    p.setColor(group, QPalette::Button, ground);
    p.setColor(group, QPalette::ButtonText, text);
    p.setColor(group, QPalette::Highlight, QColor(0x15, 0x53, 0x9E));
    p.setColor(group, QPalette::HighlightedText, Qt::white);
    p.setColor(group, QPalette::ToolTipBase, base);
    p.setColor(group, QPalette::ToolTipText, text);
    p.setColor(group, QPalette::Light, QColor(0x50, 0x50, 0x50));
    p.setColor(group, QPalette::Midlight, QColor(0x40, 0x40, 0x40));
    p.setColor(group, QPalette::Mid, QColor(0x25, 0x25, 0x25));
    p.setColor(group, QPalette::Dark, QColor(0x10, 0x10, 0x10));
    p.setColor(group, QPalette::Shadow, Qt::black);
  }
  return p;
}

// Sets the application's palette for one test and puts the one before back.
class ThemeForTest {
 public:
  explicit ThemeForTest(const QPalette& palette) : before_(QApplication::palette()) {
    QApplication::setPalette(palette);
  }
  ~ThemeForTest() { QApplication::setPalette(before_); }
  ThemeForTest(const ThemeForTest&) = delete;
  ThemeForTest& operator=(const ThemeForTest&) = delete;

 private:
  QPalette before_;
};

double Luminance(QRgb rgb) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) + 0.0722 * channel(qBlue(rgb));
}

double Contrast(QRgb a, QRgb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The background of a picture of text is its most frequent colour; the text's colour is the
// one that stands out most from it (the core of a glyph, not its smoothed edge).
struct TextLook {
  QRgb background = 0;
  double contrast = 1;
};
TextLook MeasureText(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  }
  TextLook look;
  int most = 0;
  for (const auto& [rgb, n] : counts) {
    if (n > most) most = n, look.background = rgb;
  }
  for (const auto& [rgb, n] : counts) {
    // A colour of a handful of pixels is a smoothing step, not the text.
    if (n >= 4) look.contrast = std::max(look.contrast, Contrast(rgb, look.background));
  }
  return look;
}

// The report's text area alone: without the scroll bar and the memo's border.
QImage ReportArea(skin::SkinMemo& memo) {
  QWidget* viewport = memo.viewport();
  return viewport->grab(viewport->rect().adjusted(2, 2, -2, -2)).toImage();
}

struct DemoWindow {
  gui_testing::ModalWatcher watcher;
  std::unique_ptr<sim::SimSystem> system = std::make_unique<sim::SimSystem>(sim::DemoMachine());
  std::unique_ptr<app::TfrmMain> window =
      std::make_unique<app::TfrmMain>(*system, app::model::DefaultServices());
  DemoWindow() {
    app::TfrmMain& w = *window;
    w.show();
    QSignalSpy finished(&w, &app::TfrmMain::QueryFinished);
    w.cmdRefreshClick();
    if (finished.isEmpty()) finished.wait(10000);
  }
  app::TfrmMain& Window() { return *window; }
};

// Every skinned window, made afresh, as the user sees it.
struct Made {
  const char* name;
  std::function<QImage()> render;
};
std::vector<Made> EveryWindow() {
  return {
      {"main window with the report",
       [] {
         DemoWindow demo;
         if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
         return demo.Window().grab().toImage();
       }},
      {"about box",
       [] {
         app::TfrmQuillrateMsgBox about(nullptr, "Release Date : 2006/02/13\nRemarks : \nText\n");
         return about.grab().toImage();
       }},
      {"help window",
       [] {
         app::TfrmQuillrateMsgBox help(nullptr, QString::fromStdString(app::model::HelpText()),
                                       app::model::kHelpCaption, "frmHelp");
         return help.grab().toImage();
       }},
      {"warning window",
       [] {
         app::TfrmWarning warning(nullptr, "Pacelift function is used for advance users",
                                  "Warning...");
         return warning.grab().toImage();
       }},
      {"builder window",
       [] {
         app::TfrmBuildQR builder;
         builder.txtFile->setText("examples/oem-edition.properties");
         builder.txtFile->clearFocus();
         return builder.grab().toImage();
       }},
      {"splash window", [] { return app::TfrmSplash().grab().toImage(); }},
      {"message box",
       [] {
         skin::SkinMessageBox box;
         box.SetText("User-defined file added !");
         return box.grab().toImage();
       }},
  };
}

TEST(Look, EveryWindowShowsTheSameColoursUnderADarkTheme) {
  for (const Made& window : EveryWindow()) {
    const QImage light = window.render();
    QImage dark;
    {
      ThemeForTest theme(DarkPalette());
      dark = window.render();
    }
    ASSERT_EQ(light.size(), dark.size()) << window.name;
    int differing = 0;
    for (int y = 0; y < light.height(); ++y) {
      for (int x = 0; x < light.width(); ++x) differing += light.pixel(x, y) != dark.pixel(x, y);
    }
    EXPECT_EQ(differing, 0) << window.name << " differs under a dark theme";
  }
}

TEST(Look, TheReportAndItsPopupsStayReadableUnderADarkTheme) {
  ThemeForTest theme(DarkPalette());
  DemoWindow demo;
  app::TfrmMain& w = demo.Window();
  ASSERT_FALSE(w.ReportLines().empty());

  const TextLook report = MeasureText(ReportArea(*w.Controls().memTranslator));
  EXPECT_GT(Luminance(report.background), 0.8) << "the report is not on the skin's white";
  EXPECT_GE(report.contrast, 4.5) << "the report's text is too faint on its background";

  // The memo's menu, as it opens (through Ctrl+S, the keyboard's way to it).
  QImage menuPicture;
  app::SetMenuAnswer([&](QMenu& menu) -> QAction* {
    menuPicture = menu.grab().toImage();
    return nullptr;
  });
  w.ShowReportMenu();
  app::SetMenuAnswer({});
  ASSERT_FALSE(menuPicture.isNull()) << "Ctrl+S opened no menu";
  const TextLook menu = MeasureText(menuPicture);
  EXPECT_GT(Luminance(menu.background), 0.6) << "the menu turned dark";
  EXPECT_GE(menu.contrast, 4.5);

  // The drop-down list of drives.
  skin::SkinComboBox& drives = *w.Controls().cboDrives;
  drives.showPopup();
  const QImage listPicture = drives.view()->viewport()->grab().toImage();
  drives.hidePopup();
  const TextLook list = MeasureText(listPicture);
  EXPECT_GT(Luminance(list.background), 0.6) << "the drop-down list turned dark";
  EXPECT_GE(list.contrast, 4.5);
}

// --- The look both views draw from ---------------------------------------------------------

// Qt shades the page control's colours itself at 16 bits a channel; they must round to the
// look's colours, which the Win32 view paints, or the two views drift apart.
TEST(Look, QtsOwnShadesAreTheLooksColours) {
  const struct {
    const char* name;
    QColor qt;
    app::look::Rgb look;
  } cases[] = {{"page", skin::kPageColor, app::look::kPageColor},
               {"hidden tab's bottom", skin::kTabBottom, app::look::kTabBottom}};
  for (const auto& c : cases) {
    EXPECT_EQ(c.qt.rgb(), skin::ToQColor(c.look).rgb()) << c.name;
  }
}

TEST(Look, TheFramesTitleButtonsAreWhereTheLookPutsThem) {
  app::TfrmWarning warning(nullptr, "warning", "Warning...");
  const auto* frame = warning.findChild<skin::SkinForm*>("suiForm1");
  ASSERT_NE(frame, nullptr);
  for (auto button : {skin::SkinForm::SystemMenu, skin::SkinForm::Minimize,
                      skin::SkinForm::Maximize, skin::SkinForm::Close}) {
    const app::look::LayoutRect at = app::look::TitleButtonRect(
        frame->width(), frame->TitleButtons(), static_cast<app::look::TitleButton>(button));
    EXPECT_EQ(frame->TitleButtonRect(button), QRect(at.left, at.top, at.width, at.height))
        << button;
    EXPECT_FALSE(frame->TitleButtonRect(button).isEmpty()) << button;
  }
}

// --- Sizes and scale ----------------------------------------------------------------------

qreal Scale() {
  return qGuiApp->devicePixelRatio();
}

void ExpectFixedSizeAndWholeScale(QWidget& window, QSize designed, const char* name) {
  EXPECT_EQ(window.size(), designed) << name;
  EXPECT_EQ(window.minimumSize(), designed) << name << " can be made smaller";
  EXPECT_EQ(window.maximumSize(), designed) << name << " can be made bigger";
  const QPixmap picture = window.grab();
  EXPECT_EQ(picture.size(), designed * Scale()) << name << " is not drawn at the screen's scale";
  if (auto* frame = window.findChild<skin::SkinForm*>("suiForm1")) {
    EXPECT_FALSE(frame->CanMaximize()) << name;
    if (frame->TitleButtons() & skin::SkinForm::Maximize) {
      frame->Trigger(skin::SkinForm::Maximize);
      EXPECT_FALSE(window.isMaximized()) << name;
      EXPECT_EQ(window.size(), designed) << name << " grew from its maximise button";
    }
  }
}

TEST(Scale, EveryWindowKeepsItsDesignedSizeAndGrowsAsAWhole) {
  DemoWindow demo;
  ExpectFixedSizeAndWholeScale(demo.Window(), {479, 428}, "main window");
  app::TfrmQuillrateMsgBox about(nullptr, "about");
  about.show();
  ExpectFixedSizeAndWholeScale(about, {486, 420}, "about box");
  app::TfrmWarning warning(nullptr, "warning", "Warning...");
  warning.show();
  ExpectFixedSizeAndWholeScale(warning, {341, 122}, "warning window");
  app::TfrmBuildQR builder;
  builder.show();
  ExpectFixedSizeAndWholeScale(builder, {454, 123}, "builder window");
}

TEST(Scale, PicturesAreDrawnAtTheScreensScaleNotEnlarged) {
  DemoWindow demo;
  const app::MainWindowControls& c = demo.Window().Controls();
  for (const skin::ImageButton* button : {c.cmdRefresh, c.imgbtnVEXO}) {
    const QPixmap& picture = button->Picture();
    SCOPED_TRACE(button->objectName().toStdString());
    // Drawn at the screen's scale: as many device pixels as the screen shows, not a layout-
    // sized bitmap that the screen would enlarge and blur.
    EXPECT_EQ(picture.devicePixelRatio(), Scale());
    EXPECT_EQ(picture.size(), button->size() * Scale());
  }
  skin::SkinMessageBox box;
  box.SetIcon(skin::SkinMessageBox::Icon::Error);
  const auto* icon = box.findChild<QLabel*>("icon");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->pixmap().devicePixelRatio(), Scale());
}

}  // namespace
