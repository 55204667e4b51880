// The builder window of build mode: a property file in, a customized edition out.
#pragma once

#include <QDialog>

class QFileDialog;
class QLabel;
class QLineEdit;

namespace skin {
class SkinButton;
class SkinForm;
}  // namespace skin

namespace app {

class TfrmBuildQR : public QDialog {
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

  // Where the builder reads its prototype and writes "Quillrate.exe"; the running program
  // and the current folder unless a test says otherwise.
  std::string prototypePath;
  std::string outputDir = ".";
};

}  // namespace app
