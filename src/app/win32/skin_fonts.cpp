#include "app/win32/skin_fonts.h"

#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace win32ui {
namespace {

std::vector<std::wstring> CandidatesFor(const std::wstring& family) {
  if (family == L"Courier New") {
    return {L"Courier New",    L"Liberation Mono", L"DejaVu Sans Mono",
            L"Noto Sans Mono", L"Cousine",         L"FreeMono"};
  }
  if (family == L"Tahoma") return {L"Tahoma", L"DejaVu Sans", L"Liberation Sans", L"Noto Sans"};
  return {family, L"Verdana", L"DejaVu Sans", L"Liberation Sans", L"Noto Sans", L"Tahoma"};
}

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
  for (const std::wstring& candidate : CandidatesFor(family)) {
    if (Installed(candidate)) {
      choice = candidate;
      break;
    }
  }
  resolved.emplace(family, choice);
  return choice;
}

}  // namespace

HFONT SkinFont(const FontChoice& choice) {
  static std::map<std::tuple<std::wstring, int, bool, bool>, HFONT> made;
  const auto key =
      std::make_tuple(std::wstring(choice.family), choice.pixelSize, choice.bold, choice.underline);
  auto at = made.find(key);
  if (at != made.end()) return at->second;
  const std::wstring family = Resolve(choice.family);
  const bool fixed = std::wstring(choice.family) == L"Courier New";
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
