#include "app/win32/main_window_layout.h"

#include <map>
#include <utility>

#include "app/model/branding.h"
#include "app/model/feature_row_layout.h"
#include "app/win32/busy_indicator.h"
#include "app/win32/skin_controls.h"
#include "app/win32/skin_palette.h"
#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

using app::model::FeatureRowLayout;
using app::model::kFeatureRows;
using app::model::LayoutRect;

RECT PlaceOf(const LayoutRect& r) {
  return At(r.left, r.top, r.width, r.height);
}

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

FeatureRowControls BuildFeatureRow(HWND page, const FeatureRowLayout& row) {
  using platform::Widen;
  HFONT tahoma = SkinFont({L"Tahoma", 11});
  Label(page, Widen(row.titleName).c_str(), Widen(row.titleText).c_str(), PlaceOf(row.title),
        tahoma, kNavy, kPageColor);
  Label(page, Widen(row.supportCaptionName).c_str(), Widen(row.supportCaptionText).c_str(),
        PlaceOf(row.supportCaption), tahoma, kBlack, kPageColor);
  Label(page, Widen(row.stateCaptionName).c_str(), Widen(row.stateCaptionText).c_str(),
        PlaceOf(row.stateCaption), tahoma, kBlack, kPageColor);
  FeatureRowControls controls;
  controls.support = Label(page, Widen(row.supportName).c_str(), L"N/A", PlaceOf(row.support),
                           tahoma, kBlue, kPageColor, L"YES");
  controls.state = Label(page, Widen(row.stateName).c_str(), L"N/A", PlaceOf(row.state), tahoma,
                         kBlue, kPageColor, L"YES");
  controls.button =
      MakeButton(page, Widen(row.buttonName).c_str(), Widen(row.buttonCaption).c_str(),
                 PlaceOf(row.button), SkinFont({L"Tahoma", 9}));
  for (const app::model::LayoutSeparator& line : row.separators) {
    MakeSeparator(page, line.left, line.top, line.length, line.horizontal);
  }
  return controls;
}

const wchar_t* linkTarget = nullptr;

}  // namespace

const wchar_t* CopyrightLinkTarget() {
  return linkTarget;
}

void SizeToText(HWND label) {
  RECT r;
  GetClientRect(label, &r);
  const std::wstring text = platform::Widen(ControlText(label));
  const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
  SetWindowPos(label, nullptr, 0, 0, TextWidth(font, text.c_str()) + 1, r.bottom,
               SWP_NOMOVE | SWP_NOZORDER);
}

void FitWrapped(HWND label) {
  RECT r;
  GetClientRect(label, &r);
  const std::wstring text = platform::Widen(ControlText(label));
  LOGFONTW base{};
  GetObjectW(SkinFont({L"Verdana", 11}), sizeof base, &base);
  HDC dc = GetDC(label);
  TEXTMETRICW metrics{};
  HGDIOBJ old = SelectObject(dc, SkinFont({L"Verdana", 11}));
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  // Narrower characters, in steps of 5 % down to 75 %, until the text fits the box.
  HFONT chosen = SkinFont({L"Verdana", 11});
  for (int stretch = 100; stretch >= 75; stretch -= 5) {
    if (stretch < 100) {
      LOGFONTW narrowed = base;
      narrowed.lfWidth = metrics.tmAveCharWidth * stretch / 100;
      if (stretch < 95) DeleteObject(chosen);
      chosen = CreateFontIndirectW(&narrowed);
    }
    RECT needed{0, 0, r.right, 0};
    old = SelectObject(dc, chosen);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, old);
    if (needed.bottom <= r.bottom) break;
  }
  ReleaseDC(label, dc);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
}

void BuildMainWindowLayout(HWND f, MainWindowControls& c) {
  HFONT verdana = SkinFont({L"Verdana", 11});
  HFONT verdanaBold = SkinFont({L"Verdana", 11, true});
  // In tab order: the drive list, the query button, the pages, the "QUILL-RATE" button and
  // the link.
  c.Label1 = Label(f, L"Label1", L"Step1 :", At(12, 55, 45, 13), verdanaBold, kNavy, kFrameColor);
  c.lblStep1 = MakeLabel(f, L"lblStep1", L"Select a target CD-RW/COMBO/DVD Writer ",
                         At(64, 55, 253, 13), verdana, kBlack, kFrameColor);
  SizeToText(c.lblStep1);
  c.cboDrives =
      MakeControl(f, L"COMBOBOX", L"cboDrives", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP,
                  At(56, 75, 409, 260), SkinFont({L"Courier New", 12}));
  SendMessageW(c.cboDrives, CB_SETITEMHEIGHT, 0, 15);
  c.Label3 = Label(f, L"Label3", L"Step2 :", At(12, 107, 45, 13), verdanaBold, kNavy, kFrameColor);
  c.lblStep2 = MakeLabel(
      f, L"lblStep2",
      L"Insert your CD-R/RW or DVD+R/+RW/-R/-RW media into target drive, then click \"?\" button "
      L"to see information about this media and what is the maximum burning speed that "
      L"QUILL-RATE set base on the information",
      At(64, 107, 325, 53), verdana, kBlack, kFrameColor, true);
  FitWrapped(c.lblStep2);
  c.cmdRefresh = MakePictureButton(f, L"cmdRefresh", At(396, 111, 73, 49), Picture::QueryNormal,
                                   Picture::QueryHover, Picture::QueryPressed, kFrameColor, true);
  c.Label5 = Label(f, L"Label5", L"Step3 :", At(12, 171, 45, 13), verdanaBold, kNavy, kFrameColor);
  c.lblStep3 = MakeLabel(f, L"lblStep3", L"The information of this media as:", At(64, 171, 190, 13),
                         verdana, kBlack, kFrameColor);
  SizeToText(c.lblStep3);
  c.busyIndicator = MakeBusyIndicator(f, At(372, 170, 16, 16));

  c.suiPageControl1 = std::make_unique<PageControl>(f, L"suiPageControl1", At(8, 192, 465, 209),
                                                    SkinFont({L"Tahoma", 11}), 10);
  HWND pages[3] = {c.suiPageControl1->AddPage(L"suiTabSheet1", L"Information"),
                   c.suiPageControl1->AddPage(L"suiTabSheet2", L"Quillrate"),
                   c.suiPageControl1->AddPage(L"suiTabSheet3", L"Trimwave")};
  c.memTranslator =
      MakeControl(pages[0], L"EDIT", L"memTranslator", L"memTranslator",
                  ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                  At(0, 4, 459, 173), SkinFont({L"Courier New", 11}), WS_EX_CLIENTEDGE);
  ForwardContextMenu(c.memTranslator);
  for (size_t i = 0; i < 3; ++i) {
    c.features[i] = BuildFeatureRow(pages[kFeatureRows[i].page], kFeatureRows[i]);
  }
  // Page 1 is the active page of the layout; start-up shows page 0.
  c.suiPageControl1->SetActivePageIndex(1);

  c.cmdShowQR = MakeButton(f, L"cmdShowQR", L"QUILL-RATE", At(362, 41, 103, 25),
                           SkinFont({L"Verdana", 12, true}), kRed);
  c.imgbtnOLV = MakePictureButton(f, L"imgbtnOLV", At(14, 26, 95, 26), Picture::MakerLogo,
                                  Picture::MakerLogo, Picture::MakerLogo, kFrameColor, false);
  c.cmdAddUserFile = MakeButton(f, L"cmdAddUserFile", L"", At(8, 408, 13, 13), verdana);
  ShowWindow(c.cmdAddUserFile, SW_HIDE);
  c.lblCopyright =
      MakeLinkLabel(f, L"lblCopyright", platform::Widen(app::kMakerCopyright), At(84, 409, 310, 13),
                    SkinFont({L"Verdana", 11, false, true}), kFrameColor);
  static const std::wstring makerAddress = platform::Widen(app::kMakerWebAddress);
  linkTarget = makerAddress.c_str();
  const SIZE oem = PictureSize(Picture::OemLogo);
  c.imgbtnVEXO = MakePictureButton(f, L"imgbtnVEXO", At(400, 408, oem.cx, oem.cy), Picture::OemLogo,
                                   Picture::OemLogo, Picture::OemLogo, kFrameColor, false);
}

void ApplyOemBrandingLayout(MainWindowControls& c) {
  ShowWindow(c.imgbtnOLV, SW_HIDE);
  ShowWindow(c.imgbtnVEXO, SW_SHOW);
  SetWindowPos(c.imgbtnVEXO, nullptr, 14, 26, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(c.Label1, nullptr, 108, 59, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(c.lblStep1, nullptr, 160, 59, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  RECT combo;
  GetWindowRect(c.cboDrives, &combo);
  SetWindowPos(c.cboDrives, nullptr, 108, 75, 353, 260, SWP_NOZORDER);
  SetWindowPos(c.cmdShowQR, nullptr, 200, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetControlText(c.lblCopyright, app::kOemCopyright);
  static const std::wstring oemAddress = platform::Widen(app::kOemWebAddress);
  linkTarget = oemAddress.c_str();
}

}  // namespace win32ui
