#include "app/main_window_layout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>

#include "app/model/feature_row_layout.h"
#include "app/skin/busy_indicator.h"
#include "app/skin/skin_buttons.h"
#include "app/skin/skin_fonts.h"
#include "app/skin/skin_form.h"
#include "app/skin/skin_page_control.h"
#include "app/skin/skin_palette.h"
#include "app/skin/skin_pictures.h"
#include "app/skin/skin_widgets.h"

namespace app {
namespace {

using skin::FontChoice;
using skin::SkinFont;
using Direction = skin::Separator::Direction;

constexpr const char* kLayoutTitle = "QUILL-RATE v3.0.0";

QLabel* Label(QWidget* parent, const char* name, const char* caption, QRect geometry,
              FontChoice font, const QColor& color = Qt::black) {
  QLabel* label = skin::MakeLabel(parent, name, caption, geometry, SkinFont(font), color);
  skin::FitTextWidth(*label, label->text());
  return label;
}

// A value label shows "YES", "NO" or "N/A"; it is narrowed once for the widest of them.
QLabel* ValueLabel(QWidget* parent, const char* name, QRect geometry) {
  QLabel* label =
      skin::MakeLabel(parent, name, "N/A", geometry, SkinFont({"Tahoma", 11}), skin::kBlue);
  const QFontMetrics metrics(label->font());
  skin::FitTextWidth(
      *label, metrics.horizontalAdvance("YES") > metrics.horizontalAdvance("N/A") ? "YES" : "N/A");
  return label;
}

using model::FeatureRowLayout;
using model::kFeatureRows;

QRect PlaceOf(const model::LayoutRect& r) {
  return {r.left, r.top, r.width, r.height};
}

FeatureRowControls BuildFeatureRow(QWidget* page, const FeatureRowLayout& row) {
  FeatureRowControls controls;
  controls.title =
      Label(page, row.titleName, row.titleText, PlaceOf(row.title), {"Tahoma", 11}, skin::kNavy);
  controls.supportCaption = Label(page, row.supportCaptionName, row.supportCaptionText,
                                  PlaceOf(row.supportCaption), {"Tahoma", 11});
  controls.support = ValueLabel(page, row.supportName, PlaceOf(row.support));
  controls.stateCaption = Label(page, row.stateCaptionName, row.stateCaptionText,
                                PlaceOf(row.stateCaption), {"Tahoma", 11});
  controls.state = ValueLabel(page, row.stateName, PlaceOf(row.state));
  controls.button = new skin::SkinButton(row.buttonCaption, page);
  controls.button->setObjectName(row.buttonName);
  controls.button->setGeometry(PlaceOf(row.button));
  controls.button->setFont(SkinFont({"Tahoma", 9}));
  for (const model::LayoutSeparator& line : row.separators) {
    new skin::Separator(page, line.horizontal ? Direction::Horizontal : Direction::Vertical,
                        line.left, line.top, line.length);
  }
  return controls;
}

void BuildTopRows(QWidget* f, MainWindowControls& c) {
  c.imgbtnOLV = new skin::ImageButton(f);
  c.imgbtnOLV->setObjectName("imgbtnOLV");
  const QPixmap makerLogo = skin::MakerLogoPicture();
  c.imgbtnOLV->SetPictures(makerLogo, makerLogo, makerLogo);
  c.imgbtnOLV->setGeometry(14, 26, 95, 26);

  c.cmdShowQR = new skin::SkinButton("QUILL-RATE", f);
  c.cmdShowQR->setObjectName("cmdShowQR");
  c.cmdShowQR->setGeometry(362, 41, 103, 25);
  c.cmdShowQR->setFont(SkinFont({"Verdana", 12, true}));
  c.cmdShowQR->SetTextColor(skin::kRed);

  c.Label1 = Label(f, "Label1", "Step1 :", {12, 55, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  c.lblStep1 = skin::MakeLabel(f, "lblStep1", "Select a target CD-RW/COMBO/DVD Writer ",
                               {64, 55, 253, 13}, SkinFont({"Verdana", 11}));
  SizeToText(*c.lblStep1);

  c.cboDrives = new skin::SkinComboBox(f, 15);
  c.cboDrives->setObjectName("cboDrives");
  c.cboDrives->setGeometry(56, 75, 409, 23);
  c.cboDrives->setFont(SkinFont({"Courier New", 12}));

  c.Label3 = Label(f, "Label3", "Step2 :", {12, 107, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  c.lblStep2 = skin::MakeLabel(
      f, "lblStep2",
      "Insert your CD-R/RW or DVD+R/+RW/-R/-RW media into target drive, then click \"?\" button "
      "to see information about this media and what is the maximum burning speed that "
      "QUILL-RATE set base on the information",
      {64, 107, 325, 53}, SkinFont({"Verdana", 11}));
  c.lblStep2->setWordWrap(true);
  FitWrapped(*c.lblStep2);

  c.cmdRefresh = new skin::ImageButton(f);
  c.cmdRefresh->setObjectName("cmdRefresh");
  c.cmdRefresh->SetPictures(skin::QueryButtonPicture(skin::ButtonState::Normal),
                            skin::QueryButtonPicture(skin::ButtonState::Hover),
                            skin::QueryButtonPicture(skin::ButtonState::Pressed));
  c.cmdRefresh->setGeometry(396, 111, 73, 49);
  c.cmdRefresh->setFocusPolicy(Qt::StrongFocus);
  c.cmdRefresh->setShortcut(QKeySequence(Qt::Key_F5));
  c.cmdRefresh->setToolTip("Query the disc in the selected drive (F5)");

  c.Label5 = Label(f, "Label5", "Step3 :", {12, 171, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  c.lblStep3 =
      skin::MakeLabel(f, "lblStep3", "The information of this media as:", {64, 171, 190, 13},
                      SkinFont({"Verdana", 11}));
  SizeToText(*c.lblStep3);

  c.busyIndicator = new skin::BusyIndicator(f);
  c.busyIndicator->setObjectName("busyIndicator");
  c.busyIndicator->setGeometry(372, 170, 16, 16);
}

void BuildPages(QWidget* f, MainWindowControls& c) {
  c.suiPageControl1 = new skin::SkinPageControl(f);
  c.suiPageControl1->setObjectName("suiPageControl1");
  c.suiPageControl1->setGeometry(8, 192, 465, 209);
  c.suiPageControl1->setFont(SkinFont({"Tahoma", 11}));
  c.suiPageControl1->SetTabMargin(10);

  c.suiTabSheet1 = new QWidget;
  c.suiTabSheet1->setObjectName("suiTabSheet1");
  c.suiTabSheet2 = new QWidget;
  c.suiTabSheet2->setObjectName("suiTabSheet2");
  c.suiTabSheet3 = new QWidget;
  c.suiTabSheet3->setObjectName("suiTabSheet3");
  c.suiPageControl1->AddPage(c.suiTabSheet1, "Information");
  c.suiPageControl1->AddPage(c.suiTabSheet2, "Quillrate");
  c.suiPageControl1->AddPage(c.suiTabSheet3, "Trimwave");

  c.memTranslator = new skin::SkinMemo(c.suiTabSheet1);
  c.memTranslator->setObjectName("memTranslator");
  c.memTranslator->setGeometry(0, 4, 459, 173);
  c.memTranslator->setFont(SkinFont({"Courier New", 11}));
  c.memTranslator->setPlainText("memTranslator");
  c.memTranslator->setContextMenuPolicy(Qt::CustomContextMenu);

  const std::array<QWidget*, 3> pages{c.suiTabSheet1, c.suiTabSheet2, c.suiTabSheet3};
  for (size_t i = 0; i < kFeatureRows.size(); ++i) {
    c.features[i] =
        BuildFeatureRow(pages[static_cast<size_t>(kFeatureRows[i].page)], kFeatureRows[i]);
  }
  const std::array<FeatureRowControls, 3>& rows = c.features;
  c.Label2 = rows[0].title;
  c.Label7 = rows[0].supportCaption;
  c.labSuptQR = rows[0].support;
  c.Label8 = rows[0].stateCaption;
  c.labQRIsDisable = rows[0].state;
  c.btnSetQRAbility = rows[0].button;
  c.Label4 = rows[1].title;
  c.Label9 = rows[1].supportCaption;
  c.labSuptTW = rows[1].support;
  c.Label10 = rows[1].stateCaption;
  c.labTWIsActive = rows[1].state;
  c.btnSetTWAbility = rows[1].button;
  c.Label6 = rows[2].title;
  c.Label11 = rows[2].supportCaption;
  c.labSuptPL = rows[2].support;
  c.Label12 = rows[2].stateCaption;
  c.labPLIsActive = rows[2].state;
  c.btnSetPLAbility = rows[2].button;
  // Page 1 is the active page of the layout; start-up shows page 0.
  c.suiPageControl1->SetActivePageIndex(1);
}

void BuildBottomRow(QWidget* f, MainWindowControls& c) {
  c.cmdAddUserFile = new skin::SkinButton(QString(), f);
  c.cmdAddUserFile->setObjectName("cmdAddUserFile");
  c.cmdAddUserFile->setGeometry(8, 408, 13, 13);
  c.cmdAddUserFile->setToolTip(
      "You can click this button to add/remove a user-defined media  database");
  c.cmdAddUserFile->hide();

  c.lblCopyright = new skin::LinkLabel(f);
  c.lblCopyright->setObjectName("lblCopyright");
  c.lblCopyright->setGeometry(84, 409, 310, 13);
  c.lblCopyright->setFont(SkinFont({"Verdana", 11, false, true}));
  c.lblCopyright->setText(kMakerCopyright);
  c.lblCopyright->SetLinkTarget(kMakerWebAddress);

  c.imgbtnVEXO = new skin::ImageButton(f);
  c.imgbtnVEXO->setObjectName("imgbtnVEXO");
  const QPixmap oemLogo = skin::OemLogoPicture();
  c.imgbtnVEXO->SetPictures(oemLogo, oemLogo, oemLogo);
  c.imgbtnVEXO->setGeometry(400, 408, 85, 67);
  c.imgbtnVEXO->SizeToPicture();
}

}  // namespace

void SizeToText(QLabel& label) {
  label.resize(QFontMetrics(label.font()).horizontalAdvance(label.text()) + 1, label.height());
}

void FitWrapped(QLabel& label) {
  QFont font = label.font();
  for (int stretch = 100; stretch >= 75; stretch -= 5) {
    font.setStretch(stretch);
    const QRect needed = QFontMetrics(font).boundingRect(
        QRect(0, 0, label.width(), 10000), Qt::TextWordWrap | Qt::AlignLeft, label.text());
    if (needed.height() <= label.height()) break;
  }
  label.setFont(font);
}

void BuildMainWindowLayout(QWidget& window, MainWindowControls& c) {
  window.resize(479, 428);
  window.setMinimumSize(130, 50);
  window.setFont(SkinFont({"MS Sans Serif", 11}));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - QPoint(479 / 2, 428 / 2));
  }

  c.suiForm1 = new skin::SkinForm(&window);
  c.suiForm1->setGeometry(0, 0, 479, 428);
  c.suiForm1->SetCaption(kLayoutTitle);
  c.suiForm1->SetTitleButtons(skin::SkinForm::SystemMenu | skin::SkinForm::Close |
                              skin::SkinForm::Maximize | skin::SkinForm::Minimize);
  BuildTopRows(c.suiForm1, c);
  BuildPages(c.suiForm1, c);
  BuildBottomRow(c.suiForm1, c);

  QWidget::setTabOrder(c.cboDrives, c.cmdRefresh);
  QWidget::setTabOrder(c.cmdRefresh, c.suiPageControl1);
  QWidget::setTabOrder(c.suiPageControl1, c.memTranslator);
  QWidget::setTabOrder(c.memTranslator, c.btnSetQRAbility);
  QWidget::setTabOrder(c.btnSetQRAbility, c.btnSetTWAbility);
  QWidget::setTabOrder(c.btnSetTWAbility, c.btnSetPLAbility);
  QWidget::setTabOrder(c.btnSetPLAbility, c.cmdShowQR);
  QWidget::setTabOrder(c.cmdShowQR, c.lblCopyright);
}

void ApplyOemBrandingLayout(MainWindowControls& c) {
  c.imgbtnOLV->hide();
  c.imgbtnVEXO->show();
  c.imgbtnVEXO->move(14, 26);
  c.Label1->move(108, 59);
  c.lblStep1->move(160, 59);
  c.cboDrives->setGeometry(108, 75, 353, c.cboDrives->height());
  c.cmdShowQR->move(200, 30);
  c.lblCopyright->setText(kOemCopyright);
  c.lblCopyright->SetLinkTarget(kOemWebAddress);
  skin::FitTextWidth(*c.lblCopyright, c.lblCopyright->text());
}

}  // namespace app
