#include "app/win32/main_window_layout.h"

#include <map>
#include <utility>

#include "app/model/branding.h"
#include "app/model/fit_text.h"
#include "app/model/main_window_places.h"
#include "app/win32/busy_indicator.h"
#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

using app::model::ControlPlace;
using app::model::FeatureRowLayout;
using app::model::kFeatureRows;

int TextWidth(HFONT font, const wchar_t* text) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(wcslen(text)), &size);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return size.cx;
}

// The font with its characters narrowed until `text` fits `width` (the layouts' widths are those of
// the original fonts); made once per step.
HFONT FittedFont(HFONT font, const wchar_t* text, int width) {
  static std::map<std::pair<HFONT, int>, HFONT> narrowed;
  if (TextWidth(font, text) <= width) return font;
  LOGFONTW base{};
  GetObjectW(font, sizeof base, &base);
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  // Character widths one pixel narrower at a time, down to three quarters.
  HFONT fitted = font;
  for (int charWidth = metrics.tmAveCharWidth - 1; charWidth * 4 >= metrics.tmAveCharWidth * 3;
       --charWidth) {
    HFONT& made = narrowed[{font, charWidth}];
    if (made == nullptr) {
      LOGFONTW wanted = base;
      wanted.lfWidth = charWidth;
      made = CreateFontIndirectW(&wanted);
    }
    fitted = made;
    if (TextWidth(fitted, text) <= width) break;
  }
  return fitted;
}

// A label whose text fits its layout width, in a narrowed font where it must.
HWND Label(HWND parent, const wchar_t* name, const wchar_t* text, RECT at, HFONT font,
           COLORREF color, COLORREF background, const wchar_t* widest = nullptr) {
  HFONT fitted = FittedFont(font, widest != nullptr ? widest : text, at.right);
  return MakeLabel(parent, name, text, at, fitted, color, background);
}

// A label at its place with its first text, on the window's frame.
HWND Label(HWND parent, const ControlPlace& place, HFONT font, COLORREF color) {
  return Label(parent, platform::Widen(place.name).c_str(), platform::Widen(place.text).c_str(),
               At(place.at), font, color, kFrameColor);
}

// A label at its place with its first text, as wide as that text.
HWND SizedLabel(HWND parent, const ControlPlace& place, HFONT font, bool wrapped = false) {
  return MakeLabel(parent, platform::Widen(place.name).c_str(), platform::Widen(place.text),
                   At(place.at), font, kBlack, kFrameColor, wrapped);
}

FeatureRowControls BuildFeatureRow(HWND page, const FeatureRowLayout& row) {
  using platform::Widen;
  HFONT tahoma = SkinFont(app::look::kPageText);
  Label(page, Widen(row.titleName).c_str(), Widen(row.titleText).c_str(), At(row.title), tahoma,
        kNavy, kPageColor);
  Label(page, Widen(row.supportCaptionName).c_str(), Widen(row.supportCaptionText).c_str(),
        At(row.supportCaption), tahoma, kBlack, kPageColor);
  Label(page, Widen(row.stateCaptionName).c_str(), Widen(row.stateCaptionText).c_str(),
        At(row.stateCaption), tahoma, kBlack, kPageColor);
  FeatureRowControls controls;
  controls.support = Label(page, Widen(row.supportName).c_str(), L"N/A", At(row.support), tahoma,
                           kBlue, kPageColor, L"YES");
  controls.state = Label(page, Widen(row.stateName).c_str(), L"N/A", At(row.state), tahoma, kBlue,
                         kPageColor, L"YES");
  controls.button =
      MakeButton(page, Widen(row.buttonName).c_str(), Widen(row.buttonCaption).c_str(),
                 At(row.button), SkinFont(app::look::kFeatureButtonFont));
  for (const app::model::LayoutSeparator& line : row.separators) {
    MakeSeparator(page, line.left, line.top, line.length, line.horizontal);
  }
  return controls;
}

const wchar_t* linkTarget = nullptr;

// A combo box's height on Win32 includes its drop-down list.
constexpr int kDriveListDropDownHeight = 260;

}  // namespace

const wchar_t* CopyrightLinkTarget() {
  return linkTarget;
}

void SizeToText(HWND label, int right) {
  RECT r;
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&r), 2);
  const int available = right - r.left;
  HFONT verdana = SkinFont(app::look::kText);
  const std::string text = ControlText(label);
  // Narrower characters first, then the end cut off with an ellipsis.
  HFONT font = FittedFont(verdana, platform::Widen(text).c_str(), available);
  const std::string shown = app::model::CutToFit(text, [&](const std::string& candidate) {
    return TextWidth(font, platform::Widen(candidate).c_str()) + 1 <= available;
  });
  if (shown != text) SetControlText(label, shown);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  SetWindowPos(label, nullptr, 0, 0, TextWidth(font, platform::Widen(shown).c_str()) + 1,
               r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER);
  InvalidateRect(label, nullptr, TRUE);
}

void FitWrapped(HWND label) {
  RECT r;
  GetClientRect(label, &r);
  const std::string text = ControlText(label);
  LOGFONTW base{};
  GetObjectW(SkinFont(app::look::kText), sizeof base, &base);
  HDC dc = GetDC(label);
  TEXTMETRICW metrics{};
  HGDIOBJ old = SelectObject(dc, SkinFont(app::look::kText));
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  const auto fitsIn = [&](HFONT font, const std::string& candidate) {
    const std::wstring wide = platform::Widen(candidate);
    RECT needed{0, 0, r.right, 0};
    HGDIOBJ previous = SelectObject(dc, font);
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, previous);
    // A word longer than the box is not broken: it would run past the box's right edge.
    return needed.bottom <= r.bottom && needed.right <= r.right;
  };
  // Narrower characters, in steps of 5 % down to 75 %, until the text fits the box; a text
  // that does not fit even then loses its end to an ellipsis.
  static std::map<int, HFONT> narrowed;
  HFONT chosen = SkinFont(app::look::kText);
  for (int stretch = 95; stretch >= 75 && !fitsIn(chosen, text); stretch -= 5) {
    HFONT& made = narrowed[stretch];
    if (made == nullptr) {
      LOGFONTW wanted = base;
      wanted.lfWidth = metrics.tmAveCharWidth * stretch / 100;
      made = CreateFontIndirectW(&wanted);
    }
    chosen = made;
  }
  const std::string shown = app::model::CutToFit(
      text, [&](const std::string& candidate) { return fitsIn(chosen, candidate); });
  ReleaseDC(label, dc);
  if (shown != text) SetControlText(label, shown);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
}

void BuildMainWindowLayout(HWND f, MainWindowControls& c) {
  namespace model = app::model;
  using platform::Widen;
  HFONT verdana = SkinFont(app::look::kText);
  HFONT verdanaBold = SkinFont(app::look::kBoldText);
  // In tab order: the drive list, the query button, the pages, the "QUILL-RATE" button and
  // the link.
  c.Label1 = Label(f, model::kStep1Title, verdanaBold, kNavy);
  c.lblStep1 = SizedLabel(f, model::kStep1Text, verdana);
  SizeToText(c.lblStep1, model::kStepTextRight);
  RECT driveList = At(model::kDriveList.at);
  driveList.bottom = kDriveListDropDownHeight;
  c.cboDrives = MakeControl(f, L"COMBOBOX", Widen(model::kDriveList.name).c_str(), L"",
                            CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, driveList,
                            SkinFont(app::look::kDriveListFont));
  SendMessageW(c.cboDrives, CB_SETITEMHEIGHT, 0, model::kDriveListItemHeight);
  c.Label3 = Label(f, model::kStep2Title, verdanaBold, kNavy);
  c.lblStep2 = SizedLabel(f, model::kStep2Text, verdana, true);
  FitWrapped(c.lblStep2);
  c.cmdRefresh = MakePictureButton(f, Widen(model::kQueryButton.name).c_str(),
                                   At(model::kQueryButton.at), Picture::QueryNormal,
                                   Picture::QueryHover, Picture::QueryPressed, kFrameColor, true);
  c.Label5 = Label(f, model::kStep3Title, verdanaBold, kNavy);
  c.lblStep3 = SizedLabel(f, model::kStep3Text, verdana);
  SizeToText(c.lblStep3, model::kStepTextRight);
  c.busyIndicator = MakeBusyIndicator(f, At(model::kBusyIndicator.at));
  c.cmdCancelQuery =
      MakeButton(f, Widen(model::kQueryCancel.name).c_str(), Widen(model::kQueryCancel.text),
                 At(model::kQueryCancel.at), SkinFont(app::look::kBoldButton));
  ShowWindow(c.cmdCancelQuery, SW_HIDE);

  c.suiPageControl1 = std::make_unique<PageControl>(
      f, Widen(model::kPageControl.name).c_str(), At(model::kPageControl.at),
      SkinFont(app::look::kPageText), model::kPageTabMargin);
  HWND pages[3];
  for (size_t i = 0; i < 3; ++i) {
    pages[i] = c.suiPageControl1->AddPage(Widen(model::kPages[i].name).c_str(),
                                          Widen(model::kPages[i].text));
  }
  c.memTranslator = MakeControl(
      pages[0], L"EDIT", Widen(model::kMemo.name).c_str(), Widen(model::kMemo.text).c_str(),
      ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, At(model::kMemo.at),
      SkinFont(app::look::kMemoFont), WS_EX_CLIENTEDGE);
  ForwardContextMenu(c.memTranslator);
  for (size_t i = 0; i < 3; ++i) {
    c.features[i] = BuildFeatureRow(pages[kFeatureRows[i].page], kFeatureRows[i]);
  }
  // Page 1 is the active page of the layout; start-up shows page 0.
  c.suiPageControl1->SetActivePageIndex(1);

  c.cmdShowQR =
      MakeButton(f, Widen(model::kShowQuillRate.name).c_str(), Widen(model::kShowQuillRate.text),
                 At(model::kShowQuillRate.at), SkinFont(app::look::kShowQuillRateFont), kRed);
  c.imgbtnOLV = MakePictureButton(f, Widen(model::kMakerLogo.name).c_str(),
                                  At(model::kMakerLogo.at), Picture::MakerLogo, Picture::MakerLogo,
                                  Picture::MakerLogo, kFrameColor, false);
  c.cmdAddUserFile = MakeButton(f, Widen(model::kUserFileButton.name).c_str(), L"",
                                At(model::kUserFileButton.at), verdana);
  ShowWindow(c.cmdAddUserFile, SW_HIDE);
  c.lblCopyright =
      MakeLinkLabel(f, Widen(model::kCopyright.name).c_str(), Widen(app::kMakerCopyright),
                    At(model::kCopyright.at), SkinFont(app::look::kLinkText), kFrameColor);
  static const std::wstring makerAddress = Widen(app::kMakerWebAddress);
  linkTarget = makerAddress.c_str();
  // Sized to its picture.
  const SIZE oem = PictureSize(Picture::OemLogo);
  c.imgbtnVEXO =
      MakePictureButton(f, Widen(model::kOemLogo.name).c_str(),
                        At(model::kOemLogo.at.left, model::kOemLogo.at.top, oem.cx, oem.cy),
                        Picture::OemLogo, Picture::OemLogo, Picture::OemLogo, kFrameColor, false);
}

void ApplyOemBrandingLayout(MainWindowControls& c) {
  const app::model::OemPlaces& oem = app::model::kOemPlaces;
  constexpr UINT kMoveOnly = SWP_NOSIZE | SWP_NOZORDER;
  ShowWindow(c.imgbtnOLV, SW_HIDE);
  ShowWindow(c.imgbtnVEXO, SW_SHOW);
  SetWindowPos(c.imgbtnVEXO, nullptr, oem.logoLeft, oem.logoTop, 0, 0, kMoveOnly);
  SetWindowPos(c.Label1, nullptr, oem.step1TitleLeft, oem.step1TitleTop, 0, 0, kMoveOnly);
  SetWindowPos(c.lblStep1, nullptr, oem.step1TextLeft, oem.step1TextTop, 0, 0, kMoveOnly);
  SetWindowPos(c.cboDrives, nullptr, oem.driveListLeft, oem.driveListTop, oem.driveListWidth,
               kDriveListDropDownHeight, SWP_NOZORDER);
  SetWindowPos(c.cmdShowQR, nullptr, oem.showQuillRateLeft, oem.showQuillRateTop, 0, 0, kMoveOnly);
  SetControlText(c.lblCopyright, app::kOemCopyright);
  static const std::wstring oemAddress = platform::Widen(app::kOemWebAddress);
  linkTarget = oemAddress.c_str();
}

}  // namespace win32ui
