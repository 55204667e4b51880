#include "app/qt/frm_build_qr.h"

#include <exception>

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStandardPaths>

#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_widgets.h"
#include "custom/build_edition.h"

namespace app {
namespace {

skin::SkinButton* MakeButton(QWidget* parent, const char* name, const char* caption,
                             const QRect& at) {
  auto* button = new skin::SkinButton(caption, parent);
  button->setObjectName(name);
  button->setGeometry(at);
  button->setFont(skin::SkinFont({"Verdana", 11, false}));
  return button;
}

std::string ChooseOutputFolder(QWidget* owner) {
  const QString chosen = QFileDialog::getExistingDirectory(
      owner, "Choose the folder for Quillrate.exe",
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return QFile::encodeName(chosen).toStdString();
}

}  // namespace

TfrmBuildQR::TfrmBuildQR(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint),
      prototypePath(platform::RunningProgramPath()),
      programFile(platform::RunningProgramFile()),
      chooseOutputDir(ChooseOutputFolder) {
  setObjectName("frmBuildQR");
  setFixedSize(454, 123);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(0, 0, 454, 123);
  suiForm1->SetCaption("Quill-Rate Builder");
  suiForm1->SetTitleButtons(0);
  const QFont font = skin::SkinFont({"Verdana", 11, false});
  Label1 = skin::MakeLabel(suiForm1, "Label1",
                           "Please select parameter file :", QRect(8, 36, 200, 13), font);
  txtFile = new QLineEdit(suiForm1);
  txtFile->setObjectName("txtFile");
  txtFile->setGeometry(8, 56, 361, 21);
  txtFile->setFont(font);
  cmdBrowse = MakeButton(suiForm1, "cmdBrowse", "Browse", QRect(376, 56, 69, 21));
  cmdBuild = MakeButton(suiForm1, "cmdBuild", "Build", QRect(300, 92, 69, 21));
  cmdClose = MakeButton(suiForm1, "cmdClose", "Close", QRect(376, 92, 69, 21));
  connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowseClick(); });
  connect(cmdBuild, &QPushButton::clicked, this, [this] { cmdBuildClick(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

void TfrmBuildQR::cmdBrowseClick() {
  // The filter reads "Any Files(*.*)" and shows every file, names without a dot included.
  const QString chosen =
      QFileDialog::getOpenFileName(this, QString(), QString(), "Any Files(*.*) (*)", nullptr,
                                   QFileDialog::HideNameFilterDetails);
  if (!chosen.isEmpty()) txtFile->setText(chosen);
}

void TfrmBuildQR::cmdBuildClick() {
  cmdBuild->setEnabled(false);
  custom::BuildRequest request;
  request.propertyPath =
      custom::PropertyPathFromField(QFile::encodeName(txtFile->text()).toStdString());
  request.prototypePath = prototypePath;
  if (!request.propertyPath.empty() && custom::OutputDirNeedsChoice(outputDir, programFile)) {
    const std::string chosen = chooseOutputDir(this);
    if (chosen.empty()) {
      cmdBuild->setEnabled(true);
      return;
    }
    outputDir = chosen;
  }
  request.outputDir = outputDir;
  custom::BuildOutcome outcome;
  try {
    outcome = custom::BuildEdition(request);
  } catch (const std::exception& e) {
    // Out of memory for a huge property file or prototype: nothing was written.
    outcome = custom::BuildError(custom::BuildStatus::LoadPrototypeFailed, e.what());
  }
  skin::SkinMessageBox box(this);
  box.SetCaption(QString::fromStdString(outcome.caption));
  box.SetIcon(outcome.icon == custom::MessageIcon::Stop ? skin::SkinMessageBox::Icon::Error
                                                        : skin::SkinMessageBox::Icon::Information);
  box.SetText(QString::fromLocal8Bit(outcome.text.c_str()));
  box.Execute();
  cmdBuild->setEnabled(true);
}

void TfrmBuildQR::cmdCloseClick() {
  close();
}

}  // namespace app
