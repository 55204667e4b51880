// The builder window of build mode: a property file in, a customized edition out.
#pragma once

#include <QDialog>

#include <functional>
#include <string>

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
  // The program's own file: when the output folder is its folder (an installed copy started
  // there), Build asks for the folder instead, and keeps the answer for the next builds.
  std::string programFile;
  // Asks the user for the edition's folder; empty when the user cancels. A folder chooser
  // unless a test says otherwise.
  std::function<std::string(QWidget* owner)> chooseOutputDir;
};

}  // namespace app
