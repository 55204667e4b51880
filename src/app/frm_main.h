// The main window: drive selector, query button, report memo and the two feature pages.
// Handlers keep the names of the events they answer; device work runs on the device thread
// while the window stays responsive.
#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/program_services.h"
#include "device/atapi_device.h"
#include "features/feature_switches.h"
#include "features/feature_view.h"
#include "media/media_report.h"
#include "platform/system.h"

class QFileDialog;
class QLabel;

namespace skin {
class BusyIndicator;
class ImageButton;
class LinkLabel;
class SkinButton;
class SkinComboBox;
class SkinForm;
class SkinMemo;
class SkinMessageBox;
class SkinPageControl;
}  // namespace skin

namespace app {

class DeviceWorker;
class TfrmSplash;

// The OEM's copyright line and web address, put in place by ApplyOemBranding.
inline constexpr const char* kOemCopyright = "Copyright (C) 2006 VEXO Storage Corp.";
inline constexpr const char* kOemWebAddress = "https://www.vexo-storage.example/";
// The maker's pair, shown until branding replaces it.
inline constexpr const char* kMakerCopyright = "Copyright (C) 2005 Quillrate Software";
inline constexpr const char* kMakerWebAddress = "https://www.quillrate.example/";

class TfrmMain : public QWidget {
  Q_OBJECT
 public:
  // Runs FormCreate. `system` must outlive the window.
  TfrmMain(platform::System& system, ProgramServices services, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // FormCreate asked the application to end (no drive, no device, build mode).
  bool TerminateRequested() const { return terminateRequested_; }
  // Device work is posted or running.
  bool DeviceBusy() const;
  const std::vector<std::string>& ReportLines() const { return reportLines_; }

  // Event handlers.
  void FormCreate();
  void FormDestroy();
  void ApplyOemBranding();
  void cboDrivesChange();
  void cmdRefreshClick();
  void RefreshAbilities();
  void btnSetQRAbilityClick();
  void btnSetTWAbilityClick();
  void btnSetPLAbilityClick();
  void cmdShowQRClick();
  void cmdAddUserFileClick();
  // The second half of cmdAddUserFileClick, once the dialog has closed.
  void UserFileChosen(const std::optional<std::string>& chosen);
  void LoadUserMediaFile();

  // The memo's context menu actions.
  void CopyReport();
  bool SaveReportAs(const QString& path, bool json, QString* error = nullptr);

  // Controls, by their names.
  skin::SkinForm* suiForm1;
  skin::ImageButton* imgbtnOLV;
  skin::SkinButton* cmdShowQR;
  QLabel* Label1;
  QLabel* lblStep1;
  skin::SkinComboBox* cboDrives;
  QLabel* Label3;
  QLabel* lblStep2;
  skin::ImageButton* cmdRefresh;
  QLabel* Label5;
  QLabel* lblStep3;
  skin::SkinPageControl* suiPageControl1;
  QWidget* suiTabSheet1;
  QWidget* suiTabSheet2;
  QWidget* suiTabSheet3;
  skin::SkinMemo* memTranslator;
  QLabel* Label2;
  QLabel* Label7;
  QLabel* labSuptQR;
  QLabel* Label8;
  QLabel* labQRIsDisable;
  skin::SkinButton* btnSetQRAbility;
  QLabel* Label4;
  QLabel* Label9;
  QLabel* labSuptTW;
  QLabel* Label10;
  QLabel* labTWIsActive;
  skin::SkinButton* btnSetTWAbility;
  QLabel* Label6;
  QLabel* Label11;
  QLabel* labSuptPL;
  QLabel* Label12;
  QLabel* labPLIsActive;
  skin::SkinButton* btnSetPLAbility;
  skin::SkinButton* cmdAddUserFile;
  skin::LinkLabel* lblCopyright;
  skin::ImageButton* imgbtnVEXO;
  skin::BusyIndicator* busyIndicator;
  QFileDialog* OpenDialog1 = nullptr;  // made when the button is first pressed
  skin::SkinMessageBox* suiMsgBox;

  // Members of the window's lifecycle.
  std::unique_ptr<device::AtapiDevice> Device;
  std::array<int32_t, device::kMaxDrives> DriveIndexOfLine;
  UserMediaListsPtr UserRows;

 signals:
  // All device work posted so far has completed and its results are shown.
  void DeviceIdle();
  // A query has ended (its last line is in the memo).
  void QueryFinished();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct FeatureControls {
    features::Feature feature;
    QLabel* support;
    QLabel* state;
    skin::SkinButton* button;
    bool buttonEnabled = true;
  };

  void BuildLayout();
  void BuildQuillratePage();
  void BuildTrimwavePage();
  void ConnectEvents();
  void ShowFeatureView(FeatureControls& controls, const features::FeatureView& view);
  void PressFeature(FeatureControls& controls);
  void ShowWarning();
  void ShowReportMenu(const QPoint& pos);
  void ShowInformation(const QString& text);
  void FillDriveList();
  void CloseSplash();
  // Posts device work; `done` runs on the window thread afterwards.
  void RunDeviceWork(std::function<void()> job, std::function<void(const QString&)> done);
  void DeviceWorkDone();
  void WaitForDeviceIdle();
  void UpdateBusyState();
  void AppendReportLine(const std::string& line);
  void ClearReport();

  platform::System& system_;
  ProgramServices services_;
  std::unique_ptr<DeviceWorker> worker_;
  std::unique_ptr<TfrmSplash> splash_;
  std::array<FeatureControls, 3> features_;
  std::vector<std::string> reportLines_;
  // The last query's full result and its drive, for saving as JSON.
  std::optional<media::MediaReport> lastReport_;
  int lastReportDrive_ = -1;
  std::atomic<bool> abandonQuery_{false};
  bool queryRunning_ = false;
  bool queryAllowed_ = true;
  bool closeRequested_ = false;
  bool terminateRequested_ = false;
  bool destroyed_ = false;
};

}  // namespace app
