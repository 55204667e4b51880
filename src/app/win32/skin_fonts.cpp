#include "app/win32/skin_fonts.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/files/win32/wide_text.h"

namespace win32ui {
namespace {

int CALLBACK Found(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool Installed(const std::wstring& family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  family.copy(wanted.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, Found, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

std::wstring Resolve(const std::wstring& family) {
  static std::map<std::wstring, std::wstring> resolved;
  auto at = resolved.find(family);
  if (at != resolved.end()) return at->second;
  std::wstring choice = family;
  const std::string layoutFamily = platform::Narrow(family);
  for (std::string_view candidate : app::look::FontCandidates(layoutFamily)) {
    if (Installed(platform::Widen(std::string(candidate)))) {
      choice = platform::Widen(std::string(candidate));
      break;
    }
  }
  resolved.emplace(family, choice);
  return choice;
}

}  // namespace

HFONT SkinFont(const FontChoice& choice) {
  static std::map<std::tuple<std::string, int, bool, bool>, HFONT> made;
  const auto key =
      std::make_tuple(std::string(choice.family), choice.pixelSize, choice.bold, choice.underline);
  auto at = made.find(key);
  if (at != made.end()) return at->second;
  const std::wstring family = Resolve(platform::Widen(choice.family));
  const bool fixed = app::look::IsFixedPitch(choice.family);
  // A negative height asks for the character height, as the layouts give it.
  HFONT font =
      CreateFontW(-choice.pixelSize, 0, 0, 0, choice.bold ? FW_BOLD : FW_NORMAL, FALSE,
                  choice.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                  (fixed ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS), family.c_str());
  made.emplace(key, font);
  return font;
}

}  // namespace win32ui
