#include "app/qt/frm_main.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QShortcut>

#include "app/look/small_windows.h"
#include "app/model/main_window_places.h"
#include "app/model/report_export.h"
#include "app/qt/frm_build_qr.h"
#include "app/qt/frm_details.h"
#include "app/qt/frm_quillrate_msg_box.h"
#include "app/qt/frm_splash.h"
#include "app/qt/frm_warning.h"
#include "app/qt/qt_device_thread.h"
#include "app/qt/skin/busy_indicator.h"
#include "app/qt/skin/modal.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_page_control.h"
#include "app/qt/skin/skin_widgets.h"
#include "app/qt/startup_messages.h"

namespace app {
namespace {

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

unsigned FlagsOf(model::MessageIcon icon) {
  switch (icon) {
    case model::MessageIcon::Error:
      return 0x10;
    case model::MessageIcon::Warning:
      return 0x30;
    case model::MessageIcon::Information:
      break;
  }
  return 0x40;
}

}  // namespace

TfrmMain::TfrmMain(platform::System& system, model::ProgramServices services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      model_(std::make_unique<model::MainWindowModel>(system, std::move(services),
                                                      std::make_unique<QtDeviceThread>())) {
  setObjectName("frmMain");
  setAttribute(Qt::WA_DeleteOnClose, false);
  BuildMainWindowLayout(*this, controls_);
  ConnectEvents();
  model_->FormCreate(*this);
}

TfrmMain::~TfrmMain() {
  model_->FormDestroy(width(), height());
}

void TfrmMain::ConnectEvents() {
  const MainWindowControls& c = controls_;
  connect(c.cmdShowQR, &QPushButton::clicked, this, [this] { cmdShowQRClick(); });
  connect(c.cboDrives, &QComboBox::currentIndexChanged, this, [this] { cboDrivesChange(); });
  connect(c.cmdRefresh, &QAbstractButton::clicked, this, [this] { cmdRefreshClick(); });
  connect(c.cmdCancelQuery, &QPushButton::clicked, this, [this] { cmdCancelQueryClick(); });
  connect(c.btnSetQRAbility, &QPushButton::clicked, this, [this] { btnSetQRAbilityClick(); });
  connect(c.btnSetTWAbility, &QPushButton::clicked, this, [this] { btnSetTWAbilityClick(); });
  connect(c.btnSetPLAbility, &QPushButton::clicked, this, [this] { btnSetPLAbilityClick(); });
  connect(c.cmdAddUserFile, &QPushButton::clicked, this, [this] { cmdAddUserFileClick(); });
  connect(c.memTranslator, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { ShowReportMenu(pos); });
  // The report's menu is the keyboard's too; F1 opens the help.
  auto* reportKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this);
  connect(reportKey, &QShortcut::activated, this, [this] { ShowReportMenu(); });
  auto* detailsKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_D), this);
  connect(detailsKey, &QShortcut::activated, this, [this] { OpenDetails(); });
  auto* helpKey = new QShortcut(QKeySequence(Qt::Key_F1), this);
  connect(helpKey, &QShortcut::activated, this, [this] { model_->HelpRequested(); });
}

// --- Events, forwarded ------------------------------------------------------------------------

void TfrmMain::cboDrivesChange() {
  model_->cboDrivesChange(controls_.cboDrives->currentIndex());
}
void TfrmMain::UserFileChosen(const std::optional<std::string>& chosen) {
  model_->UserFileChosen(chosen);
}

void TfrmMain::CopyReport() {
  QGuiApplication::clipboard()->setText(Text(model_->ReportText()));
}

bool TfrmMain::SaveReportAs(const QString& path, bool json, QString* error) {
  const std::string failure = model_->SaveReport(path.toLocal8Bit().toStdString(), json);
  if (error != nullptr) *error = QString::fromLocal8Bit(failure.c_str());
  return failure.empty();
}

void TfrmMain::ShowReportMenu() {
  // At the memo's top left corner, as a menu opened from the keyboard is placed.
  controls_.suiPageControl1->SetActivePageIndex(model::kInformationPage);
  ShowReportMenu(QPoint(8, 8));
}

void TfrmMain::ShowReportMenu(const QPoint& pos) {
  std::unique_ptr<QMenu> menu(controls_.memTranslator->createStandardContextMenu(pos));
  menu->addSeparator();
  const bool haveReport = model_->HasReport();
  QAction* copy = menu->addAction(model::kCopyReportItem);
  copy->setEnabled(haveReport);
  QAction* saveText = menu->addAction(model::kSaveTextItem);
  saveText->setEnabled(haveReport);
  QAction* saveJson = menu->addAction(model::kSaveJsonItem);
  saveJson->setEnabled(model_->HasCompleteReport());
  menu->addSeparator();
  QAction* details = menu->addAction(model::kDetailsMenuItem);
  QAction* autoQuery = menu->addAction(model::kAutoQueryItem);
  autoQuery->setObjectName("actAutoQuery");
  autoQuery->setCheckable(true);
  autoQuery->setChecked(model_->AutoQuery());
  QAction* chosen = RunMenu(*menu, controls_.memTranslator->viewport()->mapToGlobal(pos));
  if (chosen == details) OpenDetails();
  if (chosen == autoQuery) model_->SetAutoQuery(!model_->AutoQuery());
  if (chosen == copy) CopyReport();
  if (chosen == saveText || chosen == saveJson) SaveReportFromDialog(chosen == saveJson);
}

void TfrmMain::SaveReportFromDialog(bool json) {
  const model::SaveReportDialog& choice = json ? model::kSaveJsonDialog : model::kSaveTextDialog;
  QFileDialog dialog(this, choice.title);
  dialog.setObjectName("SaveDialog1");
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(json ? model::kJsonFilterName : model::kTextFilterName);
  // A name typed without a suffix gets the format's, before the overwrite question.
  dialog.setDefaultSuffix(choice.suffix);
  dialog.selectFile(choice.fileName);
  if (RunModal(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const QString path = dialog.selectedFiles().first();
  if (path.isEmpty()) return;
  QString error;
  if (!SaveReportAs(path, json, &error)) {
    ShowStartupMessage(Text(model::ReportNotSavedText(error.toStdString())), model::kErrorCaption,
                       FlagsOf(model::MessageIcon::Error));
  }
}

void TfrmMain::OpenDetails() {
  model_->OpenDetails();
  if (details_ != nullptr && details_->isVisible()) {
    details_->raise();
    details_->activateWindow();
  }
}

void TfrmMain::ShowDetails(const model::DetailsDescription& details) {
  if (details_ == nullptr) {
    details_ = new TfrmDetails(
        this, {[this] { model_->ReadDetailsAgain(); }, [this] { model_->DetailsClosed(); }});
  }
  details_->ShowDetails(details);
  if (!details_->isVisible()) details_->show();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (model_->CloseRequested()) {
    // The details window goes with the main window (it would keep the program running).
    if (details_ != nullptr) details_->hide();
    event->accept();
  } else {
    event->ignore();
  }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  controls_.suiForm1->setGeometry(rect());
  QWidget::resizeEvent(event);
}

// --- What the model shows ---------------------------------------------------------------------

void TfrmMain::HideUserFileButton() {
  controls_.cmdAddUserFile->hide();
}

void TfrmMain::ApplyOemBranding() {
  ApplyOemBrandingLayout(controls_);
}

void TfrmMain::HideMainWindow() {
  hide();
}

void TfrmMain::RunBuilder() {
  TfrmBuildQR builder(this);
  RunModal(builder);
}

void TfrmMain::ShowSplash() {
  splash_ = std::make_unique<TfrmSplash>(this);
  splash_->show();
}

void TfrmMain::CloseSplash() {
  splash_.reset();
}

void TfrmMain::ShowPage(int index) {
  controls_.suiPageControl1->SetActivePageIndex(index);
}

void TfrmMain::ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

void TfrmMain::ShowStepTexts(const std::string& step1, const std::string& step2,
                             const std::string& step3) {
  // An edition's texts may be longer than the layout's: none runs past the window's inner edge,
  // and none is cut without an ellipsis.
  controls_.lblStep1->setText(Text(step1));
  SizeToText(*controls_.lblStep1, model::kStepTextRight);
  controls_.lblStep2->setText(Text(step2));
  FitWrapped(*controls_.lblStep2);
  controls_.lblStep3->setText(Text(step3));
  SizeToText(*controls_.lblStep3, model::kStepTextRight);
}

void TfrmMain::ShowCaption(const std::string& caption) {
  controls_.suiForm1->SetCaption(Text(caption));
}

void TfrmMain::ShowDriveLines(const std::vector<std::string>& lines) {
  const QSignalBlocker quiet(controls_.cboDrives);
  // The list is made again when drives are plugged in or pulled out.
  controls_.cboDrives->clear();
  for (const std::string& line : lines) controls_.cboDrives->addItem(Text(line));
}

void TfrmMain::SelectDriveLine(int line) {
  const QSignalBlocker quiet(controls_.cboDrives);
  controls_.cboDrives->setCurrentIndex(line);
}

void TfrmMain::ShowMainWindow() {
  // Maximised and at once restored, as the start-up does; the window shows from here on,
  // while the splash window is still up.
  setWindowState(Qt::WindowMaximized);
  setWindowState(Qt::WindowNoState);
  show();
  QCoreApplication::processEvents();
  update();
}

void TfrmMain::ClearReport() {
  controls_.memTranslator->clear();
}

void TfrmMain::AppendReportLine(const std::string& line) {
  controls_.memTranslator->appendPlainText(Text(line));
}

void TfrmMain::ShowWaitingForDrive(bool waiting) {
  if (waiting) {
    controls_.busyIndicator->Start();
  } else {
    controls_.busyIndicator->Stop();
  }
}

void TfrmMain::ShowFeatureRow(size_t row, const model::FeatureRowView& view) {
  const FeatureRowControls& controls = controls_.features.at(row);
  controls.support->setText(Text(view.support));
  controls.state->setText(Text(view.state));
  controls.button->setText(Text(view.buttonCaption));
}

void TfrmMain::ShowInputState(const model::InputState& state) {
  controls_.cmdRefresh->setEnabled(state.query);
  controls_.cboDrives->setEnabled(state.drives);
  controls_.cmdAddUserFile->setEnabled(state.userFile);
  controls_.cmdCancelQuery->setVisible(state.cancel);
  for (size_t i = 0; i < controls_.features.size(); ++i) {
    controls_.features[i].button->setEnabled(state.features[i]);
  }
  if (state.busyCursor) {
    setCursor(Qt::BusyCursor);
  } else {
    unsetCursor();
  }
}

void TfrmMain::ShowMessage(const model::WindowMessage& message) {
  ShowStartupMessage(Text(message.text), Text(message.caption), FlagsOf(message.icon));
}

void TfrmMain::ShowWarning(const model::WindowMessage& warning) {
  TfrmWarning window(this, Text(warning.text), Text(warning.caption));
  RunModal(window);
}

void TfrmMain::ShowAbout(const std::string& text) {
  TfrmQuillrateMsgBox about(this, Text(text));
  RunModal(about);
}

void TfrmMain::ShowHelp(const std::string& caption, const std::string& text) {
  TfrmQuillrateMsgBox help(this, Text(text), Text(caption), look::kHelpName);
  RunModal(help);
}

std::optional<std::string> TfrmMain::ChooseUserFile() {
  // Made when first needed: the button is hidden, and a file dialog is costly to build.
  QFileDialog*& dialog = controls_.OpenDialog1;
  if (dialog == nullptr) {
    dialog = new QFileDialog(this);
    dialog->setObjectName("OpenDialog1");
  }
  dialog->setNameFilter("Any Files(*.*) (*)");
  dialog->setOption(QFileDialog::HideNameFilterDetails);
  dialog->setFileMode(QFileDialog::ExistingFile);
  if (RunModal(*dialog) != QDialog::Accepted || dialog->selectedFiles().isEmpty() ||
      dialog->selectedFiles().first().isEmpty()) {
    return std::nullopt;
  }
  return dialog->selectedFiles().first().toLocal8Bit().toStdString();
}

void TfrmMain::CloseWindow() {
  close();
}

void TfrmMain::DeviceWorkEnded() {
  emit DeviceIdle();
}

void TfrmMain::QueryEnded() {
  emit QueryFinished();
}

}  // namespace app
