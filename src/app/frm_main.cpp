#include "app/frm_main.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <exception>

#include "app/device_worker.h"
#include "app/drive_line.h"
#include "app/frm_quillrate_msg_box.h"
#include "app/frm_splash.h"
#include "app/frm_warning.h"
#include "app/gui_report_sink.h"
#include "app/report_export.h"
#include "app/skin/busy_indicator.h"
#include "app/skin/skin_buttons.h"
#include "app/skin/skin_fonts.h"
#include "app/skin/skin_form.h"
#include "app/skin/skin_message_box.h"
#include "app/skin/skin_page_control.h"
#include "app/skin/skin_palette.h"
#include "app/skin/skin_pictures.h"
#include "app/skin/skin_widgets.h"
#include "app/startup_messages.h"
#include "device/format_c.h"
#include "device/os_info.h"

namespace app {
namespace {

using features::Feature;
using skin::FontChoice;
using skin::SkinFont;
using Direction = skin::Separator::Direction;

constexpr const char* kErrorCaption = "Error ...";
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

skin::SkinButton* FeatureButton(QWidget* parent, const char* name, const char* caption,
                                QRect geometry) {
  auto* button = new skin::SkinButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setFont(SkinFont({"Tahoma", 9}));
  return button;
}

// A label that sizes itself: as wide as its text in its own font, never squeezed. (The step
// texts come from the edition; an OEM's longer text takes the room it needs.)
void SizeToText(QLabel& label) {
  label.resize(QFontMetrics(label.font()).horizontalAdvance(label.text()) + 1, label.height());
}

// Fits a word-wrapped label's text into its fixed box by narrowing the font.
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

}  // namespace

TfrmMain::TfrmMain(platform::System& system, ProgramServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      system_(system),
      services_(std::move(services)) {
  setObjectName("frmMain");
  setAttribute(Qt::WA_DeleteOnClose, false);
  BuildLayout();
  ConnectEvents();
  worker_ = std::make_unique<DeviceWorker>(this);
  // The constructor's own steps; the creation event follows.
  UserRows = UserMediaListsPtr(CreateUserMediaLists());
  Device = nullptr;
  DriveIndexOfLine.fill(-1);
  FormCreate();
}

TfrmMain::~TfrmMain() {
  abandonQuery_ = true;
  worker_.reset();
  FormDestroy();
}

void TfrmMain::BuildLayout() {
  resize(479, 428);
  setMinimumSize(130, 50);
  setFont(SkinFont({"MS Sans Serif", 11}));
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(479 / 2, 428 / 2));
  }

  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(0, 0, 479, 428);
  suiForm1->SetCaption(kLayoutTitle);
  suiForm1->SetTitleButtons(skin::SkinForm::SystemMenu | skin::SkinForm::Close |
                            skin::SkinForm::Maximize | skin::SkinForm::Minimize);
  QWidget* f = suiForm1;

  imgbtnOLV = new skin::ImageButton(f);
  imgbtnOLV->setObjectName("imgbtnOLV");
  const QPixmap makerLogo = skin::MakerLogoPicture();
  imgbtnOLV->SetPictures(makerLogo, makerLogo, makerLogo);
  imgbtnOLV->setGeometry(14, 26, 95, 26);

  cmdShowQR = new skin::SkinButton("QUILL-RATE", f);
  cmdShowQR->setObjectName("cmdShowQR");
  cmdShowQR->setGeometry(362, 41, 103, 25);
  cmdShowQR->setFont(SkinFont({"Verdana", 12, true}));
  cmdShowQR->SetTextColor(skin::kRed);

  Label1 = Label(f, "Label1", "Step1 :", {12, 55, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  lblStep1 = skin::MakeLabel(f, "lblStep1", "Select a target CD-RW/COMBO/DVD Writer ",
                             {64, 55, 253, 13}, SkinFont({"Verdana", 11}));
  SizeToText(*lblStep1);

  cboDrives = new skin::SkinComboBox(f, 15);
  cboDrives->setObjectName("cboDrives");
  cboDrives->setGeometry(56, 75, 409, 23);
  cboDrives->setFont(SkinFont({"Courier New", 12}));

  Label3 = Label(f, "Label3", "Step2 :", {12, 107, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  lblStep2 = skin::MakeLabel(
      f, "lblStep2",
      "Insert your CD-R/RW or DVD+R/+RW/-R/-RW media into target drive, then click \"?\" button "
      "to see information about this media and what is the maximum burning speed that "
      "QUILL-RATE set base on the information",
      {64, 107, 325, 53}, SkinFont({"Verdana", 11}));
  lblStep2->setWordWrap(true);
  FitWrapped(*lblStep2);

  cmdRefresh = new skin::ImageButton(f);
  cmdRefresh->setObjectName("cmdRefresh");
  cmdRefresh->SetPictures(skin::QueryButtonPicture(skin::ButtonState::Normal),
                          skin::QueryButtonPicture(skin::ButtonState::Hover),
                          skin::QueryButtonPicture(skin::ButtonState::Pressed));
  cmdRefresh->setGeometry(396, 111, 73, 49);
  cmdRefresh->setFocusPolicy(Qt::StrongFocus);
  cmdRefresh->setShortcut(QKeySequence(Qt::Key_F5));
  cmdRefresh->setToolTip("Query the disc in the selected drive (F5)");

  Label5 = Label(f, "Label5", "Step3 :", {12, 171, 45, 13}, {"Verdana", 11, true}, skin::kNavy);
  lblStep3 = skin::MakeLabel(f, "lblStep3", "The information of this media as:", {64, 171, 190, 13},
                             SkinFont({"Verdana", 11}));
  SizeToText(*lblStep3);

  busyIndicator = new skin::BusyIndicator(f);
  busyIndicator->setObjectName("busyIndicator");
  busyIndicator->setGeometry(372, 170, 16, 16);

  suiPageControl1 = new skin::SkinPageControl(f);
  suiPageControl1->setObjectName("suiPageControl1");
  suiPageControl1->setGeometry(8, 192, 465, 209);
  suiPageControl1->setFont(SkinFont({"Tahoma", 11}));
  suiPageControl1->SetTabMargin(10);

  suiTabSheet1 = new QWidget;
  suiTabSheet1->setObjectName("suiTabSheet1");
  suiTabSheet2 = new QWidget;
  suiTabSheet2->setObjectName("suiTabSheet2");
  suiTabSheet3 = new QWidget;
  suiTabSheet3->setObjectName("suiTabSheet3");
  suiPageControl1->AddPage(suiTabSheet1, "Information");
  suiPageControl1->AddPage(suiTabSheet2, "Quillrate");
  suiPageControl1->AddPage(suiTabSheet3, "Trimwave");

  memTranslator = new skin::SkinMemo(suiTabSheet1);
  memTranslator->setObjectName("memTranslator");
  memTranslator->setGeometry(0, 4, 459, 173);
  memTranslator->setFont(SkinFont({"Courier New", 11}));
  memTranslator->setPlainText("memTranslator");
  memTranslator->setContextMenuPolicy(Qt::CustomContextMenu);

  BuildQuillratePage();
  BuildTrimwavePage();
  // Page 1 is the active page of the layout; start-up shows page 0.
  suiPageControl1->SetActivePageIndex(1);

  cmdAddUserFile = new skin::SkinButton(QString(), f);
  cmdAddUserFile->setObjectName("cmdAddUserFile");
  cmdAddUserFile->setGeometry(8, 408, 13, 13);
  cmdAddUserFile->setToolTip(
      "You can click this button to add/remove a user-defined media  database");
  cmdAddUserFile->hide();

  lblCopyright = new skin::LinkLabel(f);
  lblCopyright->setObjectName("lblCopyright");
  lblCopyright->setGeometry(84, 409, 310, 13);
  lblCopyright->setFont(SkinFont({"Verdana", 11, false, true}));
  lblCopyright->setText(kMakerCopyright);
  lblCopyright->SetLinkTarget(kMakerWebAddress);

  imgbtnVEXO = new skin::ImageButton(f);
  imgbtnVEXO->setObjectName("imgbtnVEXO");
  const QPixmap oemLogo = skin::OemLogoPicture();
  imgbtnVEXO->SetPictures(oemLogo, oemLogo, oemLogo);
  imgbtnVEXO->setGeometry(400, 408, 85, 67);
  imgbtnVEXO->SizeToPicture();

  suiMsgBox = new skin::SkinMessageBox(this);
  suiMsgBox->SetCaption("Information");
  suiMsgBox->SetIcon(skin::SkinMessageBox::Icon::Information);

  setTabOrder(cboDrives, cmdRefresh);
  setTabOrder(cmdRefresh, suiPageControl1);
  setTabOrder(suiPageControl1, memTranslator);
  setTabOrder(memTranslator, btnSetQRAbility);
  setTabOrder(btnSetQRAbility, btnSetTWAbility);
  setTabOrder(btnSetTWAbility, btnSetPLAbility);
  setTabOrder(btnSetPLAbility, cmdShowQR);
  setTabOrder(cmdShowQR, lblCopyright);
}

void TfrmMain::BuildQuillratePage() {
  QWidget* p = suiTabSheet2;
  Label2 = Label(p, "Label2", "Quillrate", {23, 31, 50, 13}, {"Tahoma", 11}, skin::kNavy);
  Label7 = Label(p, "Label7", "Support Quillrate disable function :", {112, 16, 176, 13},
                 {"Tahoma", 11});
  labSuptQR = ValueLabel(p, "labSuptQR", {296, 16, 18, 13});
  Label8 =
      Label(p, "Label8", "Quillrate function is disabled :", {136, 48, 151, 13}, {"Tahoma", 11});
  labQRIsDisable = ValueLabel(p, "labQRIsDisable", {296, 48, 18, 13});
  btnSetQRAbility = FeatureButton(p, "btnSetQRAbility", "Enable Quillrate", {328, 26, 113, 24});
  new skin::Separator(p, Direction::Horizontal, 72, 38, 17);
  new skin::Separator(p, Direction::Vertical, 88, 24, 33);
  new skin::Separator(p, Direction::Horizontal, 88, 22, 24);
  new skin::Separator(p, Direction::Horizontal, 88, 54, 48);
  features_[0] = {Feature::QuillrateDisable, labSuptQR, labQRIsDisable, btnSetQRAbility};
}

void TfrmMain::BuildTrimwavePage() {
  QWidget* p = suiTabSheet3;
  Label4 = Label(p, "Label4", "Trimwave", {20, 27, 61, 13}, {"Tahoma", 11}, skin::kNavy);
  Label9 = Label(p, "Label9", "Support Trimwave function :", {144, 16, 151, 13}, {"Tahoma", 11});
  labSuptTW = ValueLabel(p, "labSuptTW", {304, 16, 18, 13});
  Label10 =
      Label(p, "Label10", "Trimwave function is active :", {144, 40, 152, 13}, {"Tahoma", 11});
  labTWIsActive = ValueLabel(p, "labTWIsActive", {304, 40, 18, 13});
  btnSetTWAbility = FeatureButton(p, "btnSetTWAbility", "Enable Trimwave", {336, 24, 113, 24});
  Label6 = Label(p, "Label6", "Pacelift", {27, 83, 54, 13}, {"Tahoma", 11}, skin::kNavy);
  Label11 = Label(p, "Label11", "Support Pacelift function :", {152, 72, 144, 13}, {"Tahoma", 11});
  labSuptPL = ValueLabel(p, "labSuptPL", {304, 72, 18, 13});
  Label12 =
      Label(p, "Label12", "Pacelift function is active :", {152, 96, 145, 13}, {"Tahoma", 11});
  labPLIsActive = ValueLabel(p, "labPLIsActive", {304, 96, 18, 13});
  btnSetPLAbility = FeatureButton(p, "btnSetPLAbility", "Enable Pacelift", {336, 80, 113, 24});
  new skin::Separator(p, Direction::Horizontal, 80, 34, 17);
  new skin::Separator(p, Direction::Vertical, 96, 24, 25);
  new skin::Separator(p, Direction::Horizontal, 96, 22, 48);
  new skin::Separator(p, Direction::Horizontal, 96, 46, 48);
  new skin::Separator(p, Direction::Horizontal, 80, 90, 17);
  new skin::Separator(p, Direction::Vertical, 96, 80, 25);
  new skin::Separator(p, Direction::Horizontal, 96, 78, 55);
  new skin::Separator(p, Direction::Horizontal, 96, 102, 55);
  features_[1] = {Feature::Trimwave, labSuptTW, labTWIsActive, btnSetTWAbility};
  features_[2] = {Feature::Pacelift, labSuptPL, labPLIsActive, btnSetPLAbility};
}

void TfrmMain::ConnectEvents() {
  connect(cmdShowQR, &QPushButton::clicked, this, [this] { cmdShowQRClick(); });
  connect(cboDrives, &QComboBox::currentIndexChanged, this, [this] { cboDrivesChange(); });
  connect(cmdRefresh, &QAbstractButton::clicked, this, [this] { cmdRefreshClick(); });
  connect(btnSetQRAbility, &QPushButton::clicked, this, [this] { btnSetQRAbilityClick(); });
  connect(btnSetTWAbility, &QPushButton::clicked, this, [this] { btnSetTWAbilityClick(); });
  connect(btnSetPLAbility, &QPushButton::clicked, this, [this] { btnSetPLAbilityClick(); });
  connect(cmdAddUserFile, &QPushButton::clicked, this, [this] { cmdAddUserFileClick(); });
  connect(memTranslator, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { ShowReportMenu(pos); });
}

void TfrmMain::ApplyOemBranding() {
  imgbtnOLV->hide();
  imgbtnVEXO->show();
  imgbtnVEXO->move(14, 26);
  Label1->move(108, 59);
  lblStep1->move(160, 59);
  cboDrives->setGeometry(108, 75, 353, cboDrives->height());
  cmdShowQR->move(200, 30);
  lblCopyright->setText(kOemCopyright);
  lblCopyright->SetLinkTarget(kOemWebAddress);
  skin::FitTextWidth(*lblCopyright, lblCopyright->text());
}

void TfrmMain::FormCreate() {
  cmdAddUserFile->hide();
  ApplyOemBranding();
  if (services_.isBuildMode()) {
    hide();
    services_.runBuilder(this);
    terminateRequested_ = true;
    QCoreApplication::processEvents();
    return;
  }

  splash_ = std::make_unique<TfrmSplash>(this);
  splash_->show();
  suiPageControl1->SetActivePageIndex(0);
  QCoreApplication::processEvents();

  DriveIndexOfLine.fill(-1);
  const EditionTexts edition = services_.edition();
  lblStep1->setText(DisplayLine(edition.step1));
  SizeToText(*lblStep1);
  lblStep2->setText(DisplayLine(edition.step2));
  FitWrapped(*lblStep2);
  lblStep3->setText(DisplayLine(edition.step3));
  SizeToText(*lblStep3);
  suiForm1->SetCaption(DisplayLine(
      device::FormatC("%s v%s.%s.%s", edition.programName.c_str(), edition.majorVersion.c_str(),
                      edition.minorVersion.c_str(), edition.revision.c_str())));

  // The drives are found on the device thread, so the splash window keeps painting.
  const QString error = worker_->RunAndWait([this] { Device = services_.createDevice(system_); });
  if (!error.isEmpty() || !Device) {
    Device.reset();
    CloseSplash();
    ShowStartupMessage("Unable to create Device Object !", kErrorCaption, platform::kIconError);
    terminateRequested_ = true;
    return;
  }

  FillDriveList();

  if (Device->GetDriveCount() <= 0) {
    ShowStartupMessage("No drive detected !", kErrorCaption, platform::kIconError);
    terminateRequested_ = true;
  } else if (cboDrives->count() == 0) {
    queryAllowed_ = false;
    cmdRefresh->setEnabled(false);
  } else {
    {
      const QSignalBlocker quiet(cboDrives);
      cboDrives->setCurrentIndex(0);
    }
    ClearReport();
    cboDrivesChange();
    WaitForDeviceIdle();
  }

  // The main window shows from here on, while the splash window is still up.
  setWindowState(Qt::WindowMaximized);
  setWindowState(Qt::WindowNoState);
  show();
  QCoreApplication::processEvents();
  update();

  try {
    LoadUserMediaFile();
  } catch (const std::exception& e) {
    CloseSplash();
    ShowStartupMessage(QString::fromLocal8Bit(e.what()), kErrorCaption, platform::kIconError);
  } catch (...) {
    CloseSplash();
    ShowStartupMessage("The user-defined media file could not be read.", kErrorCaption,
                       platform::kIconError);
  }
  CloseSplash();
}

void TfrmMain::CloseSplash() {
  splash_.reset();
}

void TfrmMain::FillDriveList() {
  const QSignalBlocker quiet(cboDrives);
  int line = 0;
  for (int j = 0; j < Device->GetDriveCount() && line < device::kMaxDrives; ++j) {
    const device::DriveEntry* entry = Device->GetDriveEntry(static_cast<unsigned>(j));
    if (entry == nullptr || !ListsDrive(*entry)) continue;
    DriveIndexOfLine[static_cast<size_t>(line++)] = j;
    cboDrives->addItem(DisplayLine(DriveComboLine(*entry)));
  }
}

void TfrmMain::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  device::OSInfo::WriteRegDword(system_, device::kProgramKey, "Width",
                                static_cast<uint32_t>(width()));
  device::OSInfo::WriteRegDword(system_, device::kProgramKey, "Height",
                                static_cast<uint32_t>(height()));
  Device.reset();
  UserRows.reset();
}

void TfrmMain::cboDrivesChange() {
  if (!Device || DeviceBusy() || closeRequested_) return;
  const int line = cboDrives->currentIndex();
  const int index =
      line >= 0 && line < device::kMaxDrives ? DriveIndexOfLine[static_cast<size_t>(line)] : -1;
  RunDeviceWork([this, index] { Device->SelectDrive(index); },
                [this](const QString&) {
                  ClearReport();
                  RefreshAbilities();
                });
}

void TfrmMain::RefreshAbilities() {
  if (!Device) return;
  auto views = std::make_shared<std::array<features::FeatureView, 3>>();
  RunDeviceWork([this, views] { *views = features::RefreshAbilities(*Device); },
                [this, views](const QString& error) {
                  if (!error.isEmpty()) return;
                  for (size_t i = 0; i < features_.size(); ++i) {
                    ShowFeatureView(features_[i], (*views)[i]);
                  }
                });
}

void TfrmMain::ShowFeatureView(FeatureControls& controls, const features::FeatureView& view) {
  controls.support->setText(QString::fromStdString(view.support));
  controls.state->setText(QString::fromStdString(view.state));
  controls.button->setText(QString::fromStdString(view.buttonCaption));
  controls.buttonEnabled = view.buttonEnabled;
  UpdateBusyState();
}

void TfrmMain::btnSetQRAbilityClick() {
  PressFeature(features_[0]);
}
void TfrmMain::btnSetTWAbilityClick() {
  PressFeature(features_[1]);
}
void TfrmMain::btnSetPLAbilityClick() {
  PressFeature(features_[2]);
}

void TfrmMain::PressFeature(FeatureControls& controls) {
  if (!Device || DeviceBusy() || closeRequested_) return;
  const Feature feature = controls.feature;
  const bool on = features::PressSwitchesOn(controls.state->text().toStdString());
  RunDeviceWork([this, feature, on] { features::Switch(*Device, feature, on); },
                [this, feature, on](const QString&) {
                  if (features::PressShowsWarning(feature, on)) ShowWarning();
                  RefreshAbilities();
                });
}

void TfrmMain::ShowWarning() {
  TfrmWarning warning(this);
  warning.exec();
}

void TfrmMain::cmdRefreshClick() {
  // A second press while a query runs, or a press once closing has begun, starts nothing.
  if (!Device || DeviceBusy() || closeRequested_) return;
  ClearReport();
  suiPageControl1->SetActivePageIndex(0);
  abandonQuery_ = false;
  queryRunning_ = true;
  GuiReportSink::Target target{[this](const std::string& line) {
                                 ClearReport();
                                 suiPageControl1->SetActivePageIndex(0);
                                 AppendReportLine(line);
                                 busyIndicator->Start();
                               },
                               [this] {
                                 busyIndicator->Stop();
                                 ClearReport();
                               },
                               [this](const std::string& line) { AppendReportLine(line); }};
  auto sink = std::make_shared<GuiReportSink>(this, std::move(target), abandonQuery_);
  auto report = std::make_shared<std::optional<media::MediaReport>>();
  lastReport_.reset();
  RunDeviceWork(
      [this, sink, report] {
        try {
          *report = services_.runQuery(*Device, *UserRows, *sink);
        } catch (const QueryAbandoned&) {
        }
      },
      [this, report](const QString& error) {
        queryRunning_ = false;
        lastReport_ = std::move(*report);
        lastReportDrive_ = Device ? Device->CurrentIndex() : -1;
        busyIndicator->Stop();
        if (!error.isEmpty() && !closeRequested_) {
          ShowStartupMessage(error, kErrorCaption, platform::kIconError);
        }
        emit QueryFinished();
      });
}

void TfrmMain::ClearReport() {
  memTranslator->clear();
  reportLines_.clear();
  if (!queryRunning_) lastReport_.reset();
}

void TfrmMain::AppendReportLine(const std::string& line) {
  reportLines_.push_back(line);
  memTranslator->appendPlainText(DisplayLine(line));
}

void TfrmMain::cmdShowQRClick() {
  TfrmQuillrateMsgBox about(this, services_.aboutText());
  about.exec();
}

void TfrmMain::cmdAddUserFileClick() {
  if (DeviceBusy()) return;
  // Made when first needed: the button is hidden, and a file dialog is costly to build.
  if (OpenDialog1 == nullptr) {
    OpenDialog1 = new QFileDialog(this);
    OpenDialog1->setObjectName("OpenDialog1");
  }
  OpenDialog1->setNameFilter("Any Files(*.*) (*)");
  OpenDialog1->setOption(QFileDialog::HideNameFilterDetails);
  OpenDialog1->setFileMode(QFileDialog::ExistingFile);
  std::optional<std::string> chosen;
  if (OpenDialog1->exec() == QDialog::Accepted && !OpenDialog1->selectedFiles().isEmpty() &&
      !OpenDialog1->selectedFiles().first().isEmpty()) {
    chosen = OpenDialog1->selectedFiles().first().toLocal8Bit().toStdString();
  }
  UserFileChosen(chosen);
}

void TfrmMain::UserFileChosen(const std::optional<std::string>& chosen) {
  try {
    const std::string refused = services_.addOrRemoveUserFile(
        system_, chosen, *UserRows,
        [this](const std::string& text) { ShowInformation(DisplayText(text)); });
    if (!refused.empty()) {
      ShowStartupMessage(QString::fromLocal8Bit(refused.c_str()), kErrorCaption,
                         platform::kIconError);
    }
  } catch (const std::exception& e) {
    ShowStartupMessage(DisplayText(e.what()), kErrorCaption, platform::kIconError);
  }
}

void TfrmMain::LoadUserMediaFile() {
  services_.loadUserMediaFile(system_, *UserRows);
}

void TfrmMain::ShowInformation(const QString& text) {
  suiMsgBox->SetText(text);
  suiMsgBox->Execute();
}

void TfrmMain::CopyReport() {
  QGuiApplication::clipboard()->setText(QString::fromUtf8(ReportText(reportLines_)));
}

bool TfrmMain::SaveReportAs(const QString& path, bool json, QString* error) {
  if (!json) return SaveReportFile(path, ReportText(reportLines_), error);
  const device::DriveEntry* drive =
      Device && lastReportDrive_ >= 0
          ? Device->GetDriveEntry(static_cast<unsigned>(lastReportDrive_))
          : nullptr;
  if (!lastReport_ || drive == nullptr) {
    if (error != nullptr) *error = "There is no complete report to save.";
    return false;
  }
  return SaveReportFile(path, ReportJson(*drive, lastReportDrive_, *lastReport_), error);
}

void TfrmMain::ShowReportMenu(const QPoint& pos) {
  std::unique_ptr<QMenu> menu(memTranslator->createStandardContextMenu(pos));
  menu->addSeparator();
  const bool haveReport = !reportLines_.empty() && !queryRunning_;
  QAction* copy = menu->addAction("Copy &Report");
  copy->setEnabled(haveReport);
  QAction* saveText = menu->addAction("Save Report as &Text...");
  saveText->setEnabled(haveReport);
  QAction* saveJson = menu->addAction("Save Report as &JSON...");
  saveJson->setEnabled(haveReport && lastReport_.has_value());
  QAction* chosen = menu->exec(memTranslator->viewport()->mapToGlobal(pos));
  if (chosen == copy) CopyReport();
  if (chosen != saveText && chosen != saveJson) return;
  const bool json = chosen == saveJson;
  const QString path =
      QFileDialog::getSaveFileName(this, json ? "Save Report as JSON" : "Save Report as Text",
                                   json ? "quillrate-report.json" : "quillrate-report.txt",
                                   json ? "JSON files (*.json)" : "Text files (*.txt)");
  if (path.isEmpty()) return;
  QString error;
  if (!SaveReportAs(path, json, &error)) {
    ShowStartupMessage("The report could not be saved: " + error, kErrorCaption,
                       platform::kIconError);
  }
}

bool TfrmMain::DeviceBusy() const {
  return worker_ && worker_->Pending() > 0;
}

void TfrmMain::RunDeviceWork(std::function<void()> job, std::function<void(const QString&)> done) {
  worker_->Post(std::move(job), [this, done = std::move(done)](const QString& error) {
    if (done) done(error);
    DeviceWorkDone();
  });
  UpdateBusyState();
}

void TfrmMain::DeviceWorkDone() {
  if (DeviceBusy()) return;
  UpdateBusyState();
  emit DeviceIdle();
  if (closeRequested_) close();
}

void TfrmMain::WaitForDeviceIdle() {
  if (!DeviceBusy()) return;
  QEventLoop loop;
  connect(this, &TfrmMain::DeviceIdle, &loop, &QEventLoop::quit);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void TfrmMain::UpdateBusyState() {
  const bool busy = DeviceBusy() || closeRequested_;
  cmdRefresh->setEnabled(!busy && queryAllowed_);
  cboDrives->setEnabled(!busy);
  cmdAddUserFile->setEnabled(!busy);
  for (FeatureControls& controls : features_) {
    controls.button->setEnabled(!busy && controls.buttonEnabled);
  }
  if (busy) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (DeviceBusy()) {
    // The drive finishes its current command first; the query then ends and the window
    // closes itself.
    closeRequested_ = true;
    abandonQuery_ = true;
    UpdateBusyState();
    event->ignore();
    return;
  }
  event->accept();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  suiForm1->setGeometry(rect());
  QWidget::resizeEvent(event);
}

}  // namespace app
