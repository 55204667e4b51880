#include "app/qt/main_window_layout.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>

#include "app/model/fit_text.h"
#include "app/model/main_window_places.h"
#include "app/qt/skin/busy_indicator.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_pictures.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {
namespace {

using skin::FontChoice;
using skin::SkinFont;
using Direction = skin::Separator::Direction;

QLabel* Label(QWidget* parent, const char* name, const char* caption, QRect geometry,
              FontChoice font, const QColor& color = Qt::black) {
  QLabel* label = skin::MakeLabel(parent, name, caption, geometry, SkinFont(font), color);
  skin::FitTextWidth(*label, label->text());
  return label;
}

// A value label shows "YES", "NO" or "N/A"; it is narrowed once for the widest of them.
QLabel* ValueLabel(QWidget* parent, const char* name, QRect geometry) {
  QLabel* label =
      skin::MakeLabel(parent, name, "N/A", geometry, SkinFont(look::kPageText), skin::kBlue);
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
      Label(page, row.titleName, row.titleText, PlaceOf(row.title), look::kPageText, skin::kNavy);
  controls.supportCaption = Label(page, row.supportCaptionName, row.supportCaptionText,
                                  PlaceOf(row.supportCaption), look::kPageText);
  controls.support = ValueLabel(page, row.supportName, PlaceOf(row.support));
  controls.stateCaption = Label(page, row.stateCaptionName, row.stateCaptionText,
                                PlaceOf(row.stateCaption), look::kPageText);
  controls.state = ValueLabel(page, row.stateName, PlaceOf(row.state));
  controls.button = new skin::SkinButton(row.buttonCaption, page);
  controls.button->setObjectName(row.buttonName);
  controls.button->setGeometry(PlaceOf(row.button));
  controls.button->setFont(SkinFont(look::kFeatureButtonFont));
  for (const model::LayoutSeparator& line : row.separators) {
    new skin::Separator(page, line.horizontal ? Direction::Horizontal : Direction::Vertical,
                        line.left, line.top, line.length);
  }
  return controls;
}

// A label at its place with its first text.
QLabel* Label(QWidget* parent, const model::ControlPlace& place, FontChoice font,
              const QColor& color = Qt::black) {
  return Label(parent, place.name, place.text, PlaceOf(place.at), font, color);
}

template <typename Widget>
Widget* Placed(Widget* widget, const model::ControlPlace& place) {
  widget->setObjectName(place.name);
  widget->setGeometry(PlaceOf(place.at));
  return widget;
}

void BuildTopRows(QWidget* f, MainWindowControls& c) {
  c.imgbtnOLV = Placed(new skin::ImageButton(f), model::kMakerLogo);
  const QPixmap makerLogo = skin::MakerLogoPicture();
  c.imgbtnOLV->SetPictures(makerLogo, makerLogo, makerLogo);

  c.cmdShowQR = Placed(new skin::SkinButton(model::kShowQuillRate.text, f), model::kShowQuillRate);
  c.cmdShowQR->setFont(SkinFont(look::kShowQuillRateFont));
  c.cmdShowQR->SetTextColor(skin::kRed);

  c.Label1 = Label(f, model::kStep1Title, look::kBoldText, skin::kNavy);
  c.lblStep1 = skin::MakeLabel(f, model::kStep1Text.name, model::kStep1Text.text,
                               PlaceOf(model::kStep1Text.at), SkinFont(look::kText));
  SizeToText(*c.lblStep1, model::kStepTextRight);

  c.cboDrives = Placed(new skin::SkinComboBox(f, model::kDriveListItemHeight), model::kDriveList);
  c.cboDrives->setFont(SkinFont(look::kDriveListFont));

  c.Label3 = Label(f, model::kStep2Title, look::kBoldText, skin::kNavy);
  c.lblStep2 = skin::MakeLabel(f, model::kStep2Text.name, model::kStep2Text.text,
                               PlaceOf(model::kStep2Text.at), SkinFont(look::kText));
  c.lblStep2->setWordWrap(true);
  FitWrapped(*c.lblStep2);

  c.cmdRefresh = Placed(new skin::ImageButton(f), model::kQueryButton);
  c.cmdRefresh->SetPictures(skin::QueryButtonPicture(skin::ButtonState::Normal),
                            skin::QueryButtonPicture(skin::ButtonState::Hover),
                            skin::QueryButtonPicture(skin::ButtonState::Pressed));
  c.cmdRefresh->setFocusPolicy(Qt::StrongFocus);
  c.cmdRefresh->setShortcut(QKeySequence(Qt::Key_F5));
  c.cmdRefresh->setToolTip("Query the disc in the selected drive (F5)");

  c.Label5 = Label(f, model::kStep3Title, look::kBoldText, skin::kNavy);
  c.lblStep3 = skin::MakeLabel(f, model::kStep3Text.name, model::kStep3Text.text,
                               PlaceOf(model::kStep3Text.at), SkinFont(look::kText));
  SizeToText(*c.lblStep3, model::kStepTextRight);

  c.busyIndicator = Placed(new skin::BusyIndicator(f), model::kBusyIndicator);
  c.cmdCancelQuery = Placed(new skin::SkinButton(model::kQueryCancel.text, f), model::kQueryCancel);
  c.cmdCancelQuery->setFont(SkinFont(look::kBoldButton));
  c.cmdCancelQuery->setShortcut(QKeySequence(Qt::Key_Escape));
  c.cmdCancelQuery->setToolTip("Stop the query; nothing more is sent to the drive (Esc)");
  c.cmdCancelQuery->hide();
}

void BuildPages(QWidget* f, MainWindowControls& c) {
  c.suiPageControl1 = Placed(new skin::SkinPageControl(f), model::kPageControl);
  c.suiPageControl1->setFont(SkinFont(look::kPageText));
  c.suiPageControl1->SetTabMargin(model::kPageTabMargin);

  std::array<QWidget*, 3> pages{};
  for (size_t i = 0; i < pages.size(); ++i) {
    pages[i] = new QWidget;
    pages[i]->setObjectName(model::kPages[i].name);
    c.suiPageControl1->AddPage(pages[i], model::kPages[i].text);
  }
  c.suiTabSheet1 = pages[0];
  c.suiTabSheet2 = pages[1];
  c.suiTabSheet3 = pages[2];

  c.memTranslator = Placed(new skin::SkinMemo(c.suiTabSheet1), model::kMemo);
  c.memTranslator->setFont(SkinFont(look::kMemoFont));
  c.memTranslator->setPlainText(model::kMemo.text);
  c.memTranslator->setContextMenuPolicy(Qt::CustomContextMenu);

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
  c.cmdAddUserFile = Placed(new skin::SkinButton(QString(), f), model::kUserFileButton);
  c.cmdAddUserFile->setToolTip(model::kUserFileButton.text);
  c.cmdAddUserFile->hide();

  c.lblCopyright = Placed(new skin::LinkLabel(f), model::kCopyright);
  c.lblCopyright->setFont(SkinFont(look::kLinkText));
  c.lblCopyright->setText(kMakerCopyright);
  c.lblCopyright->SetLinkTarget(kMakerWebAddress);

  c.imgbtnVEXO = Placed(new skin::ImageButton(f), model::kOemLogo);
  const QPixmap oemLogo = skin::OemLogoPicture();
  c.imgbtnVEXO->SetPictures(oemLogo, oemLogo, oemLogo);
  c.imgbtnVEXO->SizeToPicture();
}

}  // namespace

void SizeToText(QLabel& label, int right) {
  const int available = right - label.x();
  const QString text = label.text();
  // Narrower characters first, then the end cut off with an ellipsis.
  QFont font = SkinFont(look::kText);
  for (int stretch = 95;
       stretch >= 75 && QFontMetrics(font).horizontalAdvance(text) + 1 > available; stretch -= 5) {
    font.setStretch(stretch);
  }
  const QFontMetrics metrics(font);
  const QString shown =
      QString::fromStdString(model::CutToFit(text.toStdString(), [&](const std::string& candidate) {
        return metrics.horizontalAdvance(QString::fromStdString(candidate)) + 1 <= available;
      }));
  label.setFont(font);
  label.setText(shown);
  label.resize(metrics.horizontalAdvance(shown) + 1, label.height());
}

void FitWrapped(QLabel& label) {
  QFont font = SkinFont(look::kText);
  const auto fits = [&](const QFont& candidateFont, const QString& candidate) {
    const QRect needed = QFontMetrics(candidateFont)
                             .boundingRect(QRect(0, 0, label.width(), 10000),
                                           Qt::TextWordWrap | Qt::AlignLeft, candidate);
    return needed.height() <= label.height();
  };
  const QString text = label.text();
  for (int stretch = 100; stretch >= 75; stretch -= 5) {
    font.setStretch(stretch);
    if (fits(font, text)) break;
  }
  // A text that does not fit even in the narrowest characters loses its end to an ellipsis.
  label.setText(
      QString::fromStdString(model::CutToFit(text.toStdString(), [&](const std::string& candidate) {
        return fits(font, QString::fromStdString(candidate));
      })));
  label.setFont(font);
}

void BuildMainWindowLayout(QWidget& window, MainWindowControls& c) {
  const QRect area = PlaceOf(model::kMainWindowArea);
  // The skin lays its controls at fixed places: the window keeps its designed size (a bigger
  // one would show grey space, a smaller one cut them off).
  window.setFixedSize(area.size());
  window.setFont(SkinFont(look::kWindowFont));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    window.move(screen->availableGeometry().center() - QPoint(area.width() / 2, area.height() / 2));
  }

  c.suiForm1 = new skin::SkinForm(&window);
  c.suiForm1->setGeometry(area);
  c.suiForm1->SetCaption(model::kLayoutCaption);
  c.suiForm1->SetTitleButtons(skin::SkinForm::SystemMenu | skin::SkinForm::Close |
                              skin::SkinForm::Maximize | skin::SkinForm::Minimize);
  BuildTopRows(c.suiForm1, c);
  BuildPages(c.suiForm1, c);
  BuildBottomRow(c.suiForm1, c);

  QWidget::setTabOrder(c.cboDrives, c.cmdRefresh);
  QWidget::setTabOrder(c.cmdRefresh, c.cmdCancelQuery);
  QWidget::setTabOrder(c.cmdCancelQuery, c.suiPageControl1);
  QWidget::setTabOrder(c.suiPageControl1, c.memTranslator);
  QWidget::setTabOrder(c.memTranslator, c.btnSetQRAbility);
  QWidget::setTabOrder(c.btnSetQRAbility, c.btnSetTWAbility);
  QWidget::setTabOrder(c.btnSetTWAbility, c.btnSetPLAbility);
  QWidget::setTabOrder(c.btnSetPLAbility, c.cmdShowQR);
  QWidget::setTabOrder(c.cmdShowQR, c.lblCopyright);
}

void ApplyOemBrandingLayout(MainWindowControls& c) {
  const model::OemPlaces& oem = model::kOemPlaces;
  c.imgbtnOLV->hide();
  c.imgbtnVEXO->show();
  c.imgbtnVEXO->move(oem.logoLeft, oem.logoTop);
  c.Label1->move(oem.step1TitleLeft, oem.step1TitleTop);
  c.lblStep1->move(oem.step1TextLeft, oem.step1TextTop);
  c.cboDrives->setGeometry(oem.driveListLeft, oem.driveListTop, oem.driveListWidth,
                           c.cboDrives->height());
  c.cmdShowQR->move(oem.showQuillRateLeft, oem.showQuillRateTop);
  c.lblCopyright->setText(kOemCopyright);
  c.lblCopyright->SetLinkTarget(kOemWebAddress);
  skin::FitTextWidth(*c.lblCopyright, c.lblCopyright->text());
}

}  // namespace app
