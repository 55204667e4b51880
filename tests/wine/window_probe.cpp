// Reads and drives the Win32 program's windows from outside, through the Win32 API alone, as
// the window tests need: it finds a top-level window by its caption and a control by the
// name that the program gives it (a window property holding a global atom).
//
//   window_probe wait CAPTION [SECONDS]          a visible window with that caption appears
//   window_probe gone CAPTION [SECONDS]          no visible window has that caption
//   window_probe dump CAPTION                    every named control: name, state and text
//   window_probe text CAPTION NAME               the control's text (line feeds as "\n")
//   window_probe wait-text CAPTION NAME TEXT [SECONDS]   until the control's text is TEXT;
//                                                TEXT "@FILE" means the file's contents
//   window_probe click CAPTION NAME              presses a button (posted: it may open a
//                                                modal window)
//   window_probe key CAPTION NAME KEY            a key press on the control (posted); KEY is
//                                                F5, LEFT or RIGHT
//   window_probe set-text CAPTION NAME TEXT      sets an edit control's text
//   window_probe type CAPTION KEY...             brings the window to the front and types each
//                                                KEY through the input queue: tab, space, f5,
//                                                ctrl+tab, ctrl+shift+tab, alt+f4, f1, esc, or a
//                                                letter
//   window_probe press CAPTION TEXT              presses the button that reads TEXT (posted): the
//                                                system's own dialogs name no controls
//   window_probe menu CAPTION NAME               opens the control's right-click menu (posted)
//   window_probe clipboard                       the clipboard's text (line feeds as such)
//   window_probe focus CAPTION                   the name of the control with the keyboard focus
//   window_probe close CAPTION                   asks the window to close
//   window_probe responds CAPTION                the window thread answers within 2 s
//   window_probe capture CAPTION FILE.bmp        the window's pixels from the screen
//   window_probe windows                         the captions of the visible windows
// Exit status 0 when it holds, 1 when not, 2 on a usage error.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::wstring Widen(const char* text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, wide.data(), n);
  wide.resize(static_cast<size_t>(n > 0 ? n - 1 : 0));
  return wide;
}

std::string Narrow(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), n,
                      nullptr, nullptr);
  return narrow;
}

std::wstring Caption(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

std::vector<HWND> TopLevel(const std::wstring* caption) {
  struct Search {
    const std::wstring* caption;
    std::vector<HWND> found;
  } search{caption, {}};
  EnumWindows(
      [](HWND window, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (IsWindowVisible(window) && (s.caption == nullptr || Caption(window) == *s.caption)) {
          s.found.push_back(window);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTop(const std::wstring& caption) {
  const std::vector<HWND> found = TopLevel(&caption);
  return found.empty() ? nullptr : found.front();
}

std::wstring Name(HWND control) {
  const auto atom = reinterpret_cast<UINT_PTR>(GetPropW(control, L"QuillrateName"));
  if (atom == 0) return {};
  wchar_t name[256] = {};
  GlobalGetAtomNameW(static_cast<ATOM>(atom), name, 256);
  return name;
}

std::vector<HWND> Descendants(HWND top) {
  std::vector<HWND> all;
  EnumChildWindows(
      top,
      [](HWND child, LPARAM data) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND FindControl(HWND top, const std::wstring& name) {
  for (HWND child : Descendants(top)) {
    if (Name(child) == name) return child;
  }
  return nullptr;
}

// The text through WM_GETTEXT, so that an edit control's contents come too.
std::string Text(HWND control) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) {
    return "<no answer>";
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                      SMTO_ABORTIFHUNG, 2000, &copied);
  text.resize(copied);
  std::string out;
  for (char c : Narrow(text)) {
    if (c != '\r') out += c;
  }
  return out;
}

bool Poll(double seconds, const std::function<bool()>& holds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
  for (;;) {
    if (holds()) return true;
    if (static_cast<LONG>(GetTickCount() - end) >= 0) return false;
    Sleep(50);
  }
}

std::string Expected(const char* argument) {
  if (argument[0] != '@') return argument;
  std::ifstream file(argument + 1, std::ios::binary);
  std::stringstream contents;
  contents << file.rdbuf();
  std::string text = contents.str();
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

bool Capture(HWND window, const char* path) {
  RECT r;
  GetWindowRect(window, &r);
  const int width = r.right - r.left, height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
  const DWORD size = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER file{
      0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
      static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER))};
  FILE* out = std::fopen(path, "wb");
  bool ok = out != nullptr && std::fwrite(&file, sizeof file, 1, out) == 1 &&
            std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
            std::fwrite(bits, size, 1, out) == 1;
  if (out != nullptr) ok = std::fclose(out) == 0 && ok;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return ok;
}

// One key with its modifiers, pressed and released through the system's input queue.
bool Type(const std::string& chord) {
  std::vector<WORD> keys;
  std::string rest = chord;
  for (size_t plus; (plus = rest.find('+')) != std::string::npos; rest = rest.substr(plus + 1)) {
    const std::string modifier = rest.substr(0, plus);
    if (modifier == "ctrl")
      keys.push_back(VK_CONTROL);
    else if (modifier == "shift")
      keys.push_back(VK_SHIFT);
    else if (modifier == "alt")
      keys.push_back(VK_MENU);
    else
      return false;
  }
  WORD key = rest == "tab"     ? VK_TAB
             : rest == "space" ? VK_SPACE
             : rest == "f5"    ? VK_F5
             : rest == "f4"    ? VK_F4
             : rest == "f1"    ? VK_F1
             : rest == "esc"   ? VK_ESCAPE
                               : 0;
  if (rest.size() == 1 && rest[0] >= 'a' && rest[0] <= 'z') {
    key = static_cast<WORD>(rest[0] - 'a' + 'A');
  }
  if (key == 0) return false;
  keys.push_back(key);
  std::vector<INPUT> inputs;
  for (WORD k : keys) {
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = k;
    inputs.push_back(down);
  }
  for (auto k = keys.rbegin(); k != keys.rend(); ++k) {
    INPUT up{};
    up.type = INPUT_KEYBOARD;
    up.ki.wVk = *k;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(up);
  }
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);
  return sent == inputs.size();
}

int Usage() {
  std::fprintf(stderr, "usage: window_probe COMMAND CAPTION ... (see the source)\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  if (command == "windows") {
    for (HWND window : TopLevel(nullptr)) {
      const std::wstring caption = Caption(window);
      if (!caption.empty()) std::printf("%s\n", Narrow(caption).c_str());
    }
    return 0;
  }
  if (command == "clipboard") {
    if (!OpenClipboard(nullptr)) return 1;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* text = data != nullptr ? static_cast<const wchar_t*>(GlobalLock(data)) : nullptr;
    std::string out = text != nullptr ? Narrow(text) : std::string();
    if (text != nullptr) GlobalUnlock(data);
    CloseClipboard();
    out.erase(std::remove(out.begin(), out.end(), '\r'), out.end());
    while (!out.empty() && out.back() == '\n') out.pop_back();
    std::printf("%s\n", out.c_str());
    return data != nullptr ? 0 : 1;
  }
  if (argc < 3) return Usage();
  const std::wstring caption = Widen(argv[2]);
  const auto seconds = [&](int at) { return argc > at ? std::atof(argv[at]) : 20.0; };
  if (command == "wait")
    return Poll(seconds(3), [&] { return FindTop(caption) != nullptr; }) ? 0 : 1;
  if (command == "gone")
    return Poll(seconds(3), [&] { return FindTop(caption) == nullptr; }) ? 0 : 1;
  HWND top = FindTop(caption);
  if (top == nullptr) {
    std::fprintf(stderr, "window_probe: no window \"%s\"\n", argv[2]);
    return 1;
  }
  if (command == "dump") {
    for (HWND child : Descendants(top)) {
      const std::wstring name = Name(child);
      if (name.empty()) continue;
      std::string text = Text(child);
      for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2)) {
        text.replace(at, 1, "\\n");
      }
      std::printf("%s\t%s%s\t%s\n", Narrow(name).c_str(),
                  IsWindowVisible(child) ? "visible" : "hidden",
                  IsWindowEnabled(child) ? "" : ",disabled", text.c_str());
    }
    return 0;
  }
  if (command == "close") return PostMessageW(top, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "type") {
    SetForegroundWindow(top);
    Sleep(200);
    for (int at = 3; at < argc; ++at) {
      if (!Type(argv[at])) return Usage();
    }
    return 0;
  }
  if (command == "focus") {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return 1;
    std::printf("%s\n", Narrow(Name(info.hwndFocus)).c_str());
    return 0;
  }
  if (command == "responds") {
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(top, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer) ? 0 : 1;
  }
  if (command == "capture" && argc == 4) return Capture(top, argv[3]) ? 0 : 1;
  if (command == "press" && argc == 4) {
    const std::string wanted = argv[3];
    for (HWND child : Descendants(top)) {
      wchar_t kind[32] = {};
      GetClassNameW(child, kind, 32);
      if (_wcsicmp(kind, L"Button") == 0 && Text(child) == wanted) {
        return PostMessageW(child, BM_CLICK, 0, 0) ? 0 : 1;
      }
    }
    std::fprintf(stderr, "window_probe: no button \"%s\" in \"%s\"\n", argv[3], argv[2]);
    return 1;
  }
  if (argc < 4) return Usage();
  HWND control = FindControl(top, Widen(argv[3]));
  if (control == nullptr) {
    std::fprintf(stderr, "window_probe: no control %s in \"%s\"\n", argv[3], argv[2]);
    return 1;
  }
  if (command == "text") {
    std::printf("%s\n", Text(control).c_str());
    return 0;
  }
  if (command == "click") return PostMessageW(control, BM_CLICK, 0, 0) ? 0 : 1;
  if (command == "menu") {
    SetForegroundWindow(top);
    return PostMessageW(control, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control),
                        MAKELPARAM(-1, -1))
               ? 0
               : 1;
  }
  if (command == "key" && argc == 5) {
    const std::string key = argv[4];
    const WPARAM code = key == "F5"      ? VK_F5
                        : key == "LEFT"  ? VK_LEFT
                        : key == "RIGHT" ? VK_RIGHT
                                         : 0;
    if (code == 0) return Usage();
    return PostMessageW(control, WM_KEYDOWN, code, 1) &&
                   PostMessageW(control, WM_KEYUP, code, 0xC0000001)
               ? 0
               : 1;
  }
  if (command == "set-text" && argc == 5) {
    const std::wstring text = Widen(argv[4]);
    DWORD_PTR answer = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 2000, &answer)
               ? 0
               : 1;
  }
  if (command == "wait-text" && argc >= 5) {
    const std::string wanted = Expected(argv[4]);
    const auto trimmed = [](std::string text) {
      while (!text.empty() && text.back() == '\n') text.pop_back();
      return text;
    };
    if (Poll(seconds(5), [&] { return trimmed(Text(control)) == wanted; })) return 0;
    std::fprintf(stderr, "window_probe: %s reads\n%s\ninstead of\n%s\n", argv[3],
                 Text(control).c_str(), wanted.c_str());
    return 1;
  }
  return Usage();
}
