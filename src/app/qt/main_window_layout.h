// The main window's controls: their names, places, fonts, colours and first texts, and the
// rearrangement that the OEM branding makes of the top of the window.
#pragma once

#include <array>

#include "app/model/branding.h"

class QFileDialog;
class QLabel;
class QWidget;

namespace skin {
class BusyIndicator;
class ImageButton;
class LinkLabel;
class SkinButton;
class SkinComboBox;
class SkinForm;
class SkinMemo;
class SkinPageControl;
}  // namespace skin

namespace app {

// One feature's row of controls: the section title, the support and state value labels
// with their captions, and the button.
struct FeatureRowControls {
  QLabel* title;
  QLabel* supportCaption;
  QLabel* support;
  QLabel* stateCaption;
  QLabel* state;
  skin::SkinButton* button;
};

// The controls, by their names.
struct MainWindowControls {
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
  skin::BusyIndicator* busyIndicator;
  skin::SkinButton* cmdCancelQuery;  // shown while a query runs
  skin::SkinPageControl* suiPageControl1;
  QWidget* suiTabSheet1;
  QWidget* suiTabSheet2;
  QWidget* suiTabSheet3;
  skin::SkinMemo* memTranslator;
  // The feature pages' rows in refresh order (Quillrate-disable, Trimwave, Pacelift); the
  // same controls go by their own names below.
  std::array<FeatureRowControls, 3> features;
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
  QFileDialog* OpenDialog1 = nullptr;  // made when the user-file button first needs it
};

// Makes every control of the main window on `window`, in its layout place.
void BuildMainWindowLayout(QWidget& window, MainWindowControls& controls);

// The OEM branding: the OEM's logo takes the maker's place at the top left, the step-1 row
// and the drive list move right of it, the "QUILL-RATE" button above them, and the
// copyright line becomes the OEM's.
void ApplyOemBrandingLayout(MainWindowControls& controls);

// A one-line step label as wide as its text, up to `right` (in its parent's coordinates): a
// longer text is shown in narrower characters (down to three quarters), then cut with an
// ellipsis.
void SizeToText(QLabel& label, int right);
// Fits a word-wrapped step label's text into its fixed box by narrowing the font; a text that
// still does not fit is cut with an ellipsis.
void FitWrapped(QLabel& label);

}  // namespace app
