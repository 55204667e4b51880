// The step texts of an edition in the Win32 main window, at their longest (63, 255 and 63
// characters): measured in the label's own font once fitted, never painted, so the test waits
// for no message. A one-line text ends at or before the window's inner edge; the wrapped
// step 2 fits its box; a text that had to be cut ends in an ellipsis.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/model/fit_text.h"
#include "app/model/main_window_places.h"
#include "app/win32/main_window_layout.h"
#include "app/win32/skin_controls.h"
#include "app/win32/skin_fonts.h"
#include "platform/files/win32/wide_text.h"

namespace {

namespace model = app::model;

// A plain top-level window of the main window's size, never shown.
class Parent {
 public:
  Parent() {
    window_ = CreateWindowExW(0, L"STATIC", L"step texts", WS_OVERLAPPED, 0, 0,
                              model::kMainWindowArea.width, model::kMainWindowArea.height, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  ~Parent() { DestroyWindow(window_); }
  Parent(const Parent&) = delete;
  Parent& operator=(const Parent&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_ = nullptr;
};

HWND StepLabel(HWND parent, const model::ControlPlace& place, int left, int top, bool wrap) {
  return win32ui::MakeLabel(parent, platform::Widen(place.name).c_str(), L"",
                            win32ui::At(left, top, place.at.width, place.at.height),
                            win32ui::SkinFont(app::look::kText), RGB(0, 0, 0), RGB(255, 255, 255),
                            wrap);
}

RECT PlaceInParent(HWND label) {
  RECT r;
  GetWindowRect(label, &r);
  MapWindowPoints(nullptr, GetParent(label), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// What the label shows, measured in the font it was given.
SIZE OneLineExtent(HWND label, const std::wstring& text) {
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return size;
}

RECT WrappedExtent(HWND label, const std::wstring& text, int width) {
  HDC dc = GetDC(label);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)));
  RECT needed{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
            DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(label, dc);
  return needed;
}

// The shown text is the whole text, or a start of it followed by the ellipsis.
void ExpectWholeOrCutWithEllipsis(const std::string& shown, const std::string& text) {
  if (shown == text) return;
  const std::string ellipsis = model::kEllipsis;
  ASSERT_GE(shown.size(), ellipsis.size()) << shown;
  ASSERT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis)
      << "cut without an ellipsis: " << shown;
  const std::string kept = shown.substr(0, shown.size() - ellipsis.size());
  EXPECT_EQ(text.compare(0, kept.size(), kept), 0) << "not a start of the text: " << shown;
}

const std::string kWide63(63, 'W');
const std::string kWords63 = "Select the OEM writer model QX-9000 or the QX-9100 series drive";
const std::string kNarrow63(63, 'i');
const std::string kShort = "Select a drive";

struct OneLineCase {
  const char* name;
  const model::ControlPlace& place;
  int left, top;
  const std::string& text;
  bool mustBeCut;
};

TEST(Win32StepTexts, AOneLineTextEndsAtTheInnerEdgeAndIsCutOnlyWithAnEllipsis) {
  const model::OemPlaces& oem = model::kOemPlaces;
  const std::vector<OneLineCase> cases = {
      {"step 1, 63 wide letters", model::kStep1Text, model::kStep1Text.at.left,
       model::kStep1Text.at.top, kWide63, true},
      {"step 1 of an OEM edition, 63 wide letters", model::kStep1Text, oem.step1TextLeft,
       oem.step1TextTop, kWide63, true},
      {"step 1 of an OEM edition, 63 characters of words", model::kStep1Text, oem.step1TextLeft,
       oem.step1TextTop, kWords63, false},
      {"step 1, 63 narrow letters", model::kStep1Text, model::kStep1Text.at.left,
       model::kStep1Text.at.top, kNarrow63, false},
      {"step 1, a short text", model::kStep1Text, model::kStep1Text.at.left,
       model::kStep1Text.at.top, kShort, false},
      {"step 3, 63 wide letters", model::kStep3Text, model::kStep3Text.at.left,
       model::kStep3Text.at.top, kWide63, true},
  };
  Parent parent;
  ASSERT_NE(parent.Handle(), nullptr);
  for (const OneLineCase& c : cases) {
    SCOPED_TRACE(c.name);
    HWND label = StepLabel(parent.Handle(), c.place, c.left, c.top, false);
    ASSERT_NE(label, nullptr);
    win32ui::SetControlText(label, c.text);
    win32ui::SizeToText(label, model::kStepTextRight);
    const std::string shown = win32ui::ControlText(label);
    ExpectWholeOrCutWithEllipsis(shown, c.text);
    if (c.mustBeCut) {
      EXPECT_NE(shown, c.text) << "63 wide letters cannot fit the row";
    }
    if (c.text == kShort) {
      EXPECT_EQ(shown, c.text);
    }
    const RECT at = PlaceInParent(label);
    EXPECT_EQ(at.left, c.left);
    EXPECT_LE(at.right, model::kStepTextRight) << "the label runs past the window's inner edge";
    const SIZE needed = OneLineExtent(label, platform::Widen(shown));
    EXPECT_LE(c.left + needed.cx, model::kStepTextRight)
        << "the text runs past the window's inner edge";
    EXPECT_LE(needed.cx, at.right - at.left) << "the label is narrower than its own text";
    DestroyWindow(label);
  }
}

TEST(Win32StepTexts, Step2At255CharactersFitsItsBoxAndEndsInAnEllipsisWhenCut) {
  const std::string words =
      "Insert the disc into the drive, then press the question-mark button to see what the "
      "drive and the disc report about each other ";
  std::string longest;
  while (longest.size() < 255) longest += words;
  longest.resize(255);
  const std::string wide(255, 'W');
  const std::string layout = model::kStep2Text.text;
  Parent parent;
  ASSERT_NE(parent.Handle(), nullptr);
  for (const std::string* text : std::vector<const std::string*>{&longest, &wide, &layout}) {
    SCOPED_TRACE(*text);
    const std::string& original = *text;
    HWND label = StepLabel(parent.Handle(), model::kStep2Text, model::kStep2Text.at.left,
                           model::kStep2Text.at.top, true);
    ASSERT_NE(label, nullptr);
    win32ui::SetControlText(label, original);
    win32ui::FitWrapped(label);
    const std::string shown = win32ui::ControlText(label);
    ExpectWholeOrCutWithEllipsis(shown, original);
    if (text == &wide) {
      EXPECT_NE(shown, original) << "255 wide letters cannot fit the box";
    }
    if (text == &layout) {
      EXPECT_EQ(shown, original) << "the layout's own text is cut";
    }
    RECT box;
    GetClientRect(label, &box);
    const RECT needed = WrappedExtent(label, platform::Widen(shown), box.right);
    EXPECT_LE(needed.bottom, box.bottom) << "the text runs below its box";
    EXPECT_LE(needed.right, box.right) << "a word runs past the box's right edge";
    EXPECT_LE(PlaceInParent(label).right, model::kStepTextRight);
    DestroyWindow(label);
  }
}

}  // namespace
