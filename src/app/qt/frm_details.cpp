#include "app/qt/frm_details.h"

#include "app/look/speed_plot_look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QShortcut>

#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_palette.h"
#include "app/qt/skin/skin_widgets.h"
#include "app/qt/speed_plot_widget.h"

namespace app {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 560;

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QString Joined(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << Text(line);
  return list.join('\n');
}

// The accessible name of a button is its caption without the mnemonic's ampersand.
QString Plain(const char* caption) {
  return QString(caption).remove('&');
}

}  // namespace

TfrmDetails::TfrmDetails(QWidget* owner, Events events)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), events_(std::move(events)) {
  setObjectName("frmDetails");
  setFixedSize(kWidth, kHeight);
  skin::UseSkinPalette(*this);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(0, 0, kWidth, kHeight);
  suiForm1->SetCaption(model::kDetailsCaption);
  suiForm1->SetTitleButtons(skin::SkinForm::Close);
  const QFont font = skin::SkinFont(app::look::kDetailsText);
  lblStatus = skin::MakeLabel(suiForm1, "lblStatus", QString(), QRect(16, 32, 608, 40), font);
  lblStatus->setWordWrap(true);
  lblStatus->setAccessibleName(model::kDetailsStatusName);
  memSpeeds = new skin::SkinMemo(suiForm1);
  memSpeeds->setObjectName("memSpeeds");
  memSpeeds->setGeometry(16, 76, 608, 150);
  memSpeeds->setReadOnly(true);
  memSpeeds->setLineWrapMode(QPlainTextEdit::NoWrap);
  memSpeeds->setFont(skin::SkinFont(app::look::kDetailsTable));
  memSpeeds->setAccessibleName(model::kDetailsSpeedsName);
  lblVerdict =
      skin::MakeLabel(suiForm1, "lblVerdict", QString(), QRect(16, 230, 608, 36), font, skin::kRed);
  lblVerdict->setWordWrap(true);
  lblVerdict->setAccessibleName(model::kDetailsVerdictName);
  pbSpeeds = new SpeedPlotWidget(suiForm1);
  pbSpeeds->setObjectName("pbSpeeds");
  pbSpeeds->setGeometry(16, 270, 608, 246);
  pbSpeeds->setAccessibleName(model::kDetailsPlotName);
  cmdReadAgain = new skin::SkinButton(model::kDetailsReadAgain, suiForm1);
  cmdReadAgain->setObjectName("cmdReadAgain");
  cmdReadAgain->setGeometry(436, 526, 89, 23);
  cmdReadAgain->setAccessibleName(Plain(model::kDetailsReadAgain));
  cmdClose = new skin::SkinButton(model::kDetailsClose, suiForm1);
  cmdClose->setObjectName("cmdClose");
  cmdClose->setGeometry(535, 526, 89, 23);
  cmdClose->setAccessibleName(Plain(model::kDetailsClose));
  cmdClose->setDefault(true);
  setTabOrder(memSpeeds, cmdReadAgain);
  setTabOrder(cmdReadAgain, cmdClose);
  connect(cmdReadAgain, &QPushButton::clicked, this, [this] { cmdReadAgainClick(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [this] { cmdCloseClick(); });
  if (owner != nullptr) {
    const QRect area = owner->frameGeometry();
    move(area.center() - QPoint(width() / 2, height() / 2));
  }
}

void TfrmDetails::ShowDetails(const model::DetailsDescription& details) {
  lblStatus->setText(Joined(details.statusLines));
  memSpeeds->setPlainText(Joined(details.speedLines));
  lblVerdict->setText(Text(details.verdict));
  pbSpeeds->SetPlot(details.plot);
  // A screen reader hears the plot as what it shows.
  QStringList marks;
  for (const model::PlotMark& mark : details.plot.marks)
    marks << Text(mark.label) + (mark.picked ? " (picked)" : "");
  QString description = marks.join(", ");
  if (details.plot.ratedY) description += "; " + Text(details.plot.ratedLabel);
  pbSpeeds->setAccessibleDescription(marks.isEmpty() ? Text(details.plot.emptyText) : description);
  cmdReadAgain->setEnabled(!details.reading);
}

void TfrmDetails::cmdReadAgainClick() {
  if (events_.readAgain) events_.readAgain();
}

void TfrmDetails::cmdCloseClick() {
  close();
}

void TfrmDetails::closeEvent(QCloseEvent* event) {
  if (events_.closed) events_.closed();
  QWidget::closeEvent(event);
}

}  // namespace app
