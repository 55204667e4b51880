#include "app/qt/frm_build_qr.h"

#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStandardPaths>

#include "app/look/builder_window.h"
#include "app/qt/skin/look_rect.h"
#include "app/qt/skin/skin_buttons.h"
#include "app/qt/skin/skin_fonts.h"
#include "app/qt/skin/skin_form.h"
#include "app/qt/skin/skin_message_box.h"
#include "app/qt/skin/skin_widgets.h"

namespace app {
namespace {

skin::SkinButton* MakeButton(QWidget* parent, const model::ControlPlace& place) {
  auto* button = new skin::SkinButton(place.text, parent);
  button->setObjectName(place.name);
  button->setGeometry(skin::ToQRect(place.at));
  button->setFont(skin::SkinFont(look::kBuilderFont));
  return button;
}

std::string ChooseFolder(QWidget* owner) {
  const QString chosen = QFileDialog::getExistingDirectory(
      owner, look::kBuilderFolderTitle,
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  return QFile::encodeName(chosen).toStdString();
}

}  // namespace

TfrmBuildQR::TfrmBuildQR(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), chooseOutputDir(ChooseFolder) {
  setObjectName(look::kBuilderName);
  setFixedSize(look::kBuilderSize.width, look::kBuilderSize.height);
  suiForm1 = new skin::SkinForm(this);
  suiForm1->setGeometry(rect());
  suiForm1->SetCaption(look::kBuilderCaption);
  suiForm1->SetTitleButtons(0);
  const QFont font = skin::SkinFont(look::kBuilderFont);
  Label1 = skin::MakeLabel(suiForm1, look::kBuilderLabel.name, look::kBuilderLabel.text,
                           skin::ToQRect(look::kBuilderLabel.at), font);
  txtFile = new QLineEdit(suiForm1);
  txtFile->setObjectName(look::kBuilderFile.name);
  txtFile->setGeometry(skin::ToQRect(look::kBuilderFile.at));
  txtFile->setFont(font);
  cmdBrowse = MakeButton(suiForm1, look::kBuilderBrowse);
  cmdBuild = MakeButton(suiForm1, look::kBuilderBuild);
  cmdClose = MakeButton(suiForm1, look::kBuilderClose);
  connect(cmdBrowse, &QPushButton::clicked, this, [this] { cmdBrowseClick(); });
  connect(cmdBuild, &QPushButton::clicked, this, [this] { cmdBuildClick(); });
  connect(cmdClose, &QPushButton::clicked, this, [this] { cmdCloseClick(); });
  if (QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
}

void TfrmBuildQR::cmdBrowseClick() {
  // The filter shows every file, names without a dot included.
  const QString chosen = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QString(look::kBuilderFilterName) + " (*)",
                                                      nullptr, QFileDialog::HideNameFilterDetails);
  if (!chosen.isEmpty()) txtFile->setText(chosen);
}

void TfrmBuildQR::cmdBuildClick() {
  builder.cmdBuildClick(*this);
}

void TfrmBuildQR::cmdCloseClick() {
  close();
}

std::string TfrmBuildQR::FileFieldText() {
  return QFile::encodeName(txtFile->text()).toStdString();
}

void TfrmBuildQR::EnableBuild(bool enabled) {
  cmdBuild->setEnabled(enabled);
}

std::string TfrmBuildQR::ChooseOutputFolder() {
  return chooseOutputDir(this);
}

void TfrmBuildQR::ShowMessage(const model::WindowMessage& message) {
  skin::SkinMessageBox box(this);
  box.SetCaption(QString::fromStdString(message.caption));
  box.SetIcon(message.icon == model::MessageIcon::Error ? skin::SkinMessageBox::Icon::Error
                                                        : skin::SkinMessageBox::Icon::Information);
  box.SetText(QString::fromLocal8Bit(message.text.c_str()));
  box.Execute();
}

}  // namespace app
