// The builder window of build mode: a property file in, a customized edition out. What a
// build does is the builder model's; the window lays out its controls and shows what it is
// told.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "app/model/builder_model.h"

class QLabel;
class QLineEdit;

namespace skin {
class SkinButton;
class SkinForm;
}  // namespace skin

namespace app {

class TfrmBuildQR : public QDialog, private model::BuilderView {
  Q_OBJECT
 public:
  explicit TfrmBuildQR(QWidget* owner = nullptr);

  skin::SkinForm* suiForm1;
  QLabel* Label1;
  QLineEdit* txtFile;
  skin::SkinButton* cmdBrowse;
  skin::SkinButton* cmdBuild;
  skin::SkinButton* cmdClose;

  void cmdBrowseClick();
  void cmdBuildClick();
  void cmdCloseClick();

  // The builds: where the prototype comes from and the edition goes (tests change them).
  model::BuilderModel builder;
  // Asks the user for the edition's folder; empty when the user cancels. A folder chooser
  // unless a test says otherwise.
  std::function<std::string(QWidget* owner)> chooseOutputDir;

 private:
  std::string FileFieldText() override;
  void EnableBuild(bool enabled) override;
  std::string ChooseOutputFolder() override;
  void ShowMessage(const model::WindowMessage& message) override;
};

}  // namespace app
