// Registering the program's own window classes. Each carries the program's icon (the resource
// QUILLRATE_ICON), which the taskbar and Alt+Tab show; none when the program has none.
#pragma once

#include <windows.h>

namespace win32ui {

// Registers the class `name` of this module with its window procedure; with `arrowCursor`
// the class shows the arrow over its windows. False when the system refused it.
inline bool RegisterWindowClass(const wchar_t* name, WNDPROC procedure, UINT style = 0,
                                bool arrowCursor = false) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = static_cast<HICON>(
      LoadImageW(wc.hInstance, L"QUILLRATE_ICON", IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(wc.hInstance, L"QUILLRATE_ICON", IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  if (arrowCursor) wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return RegisterClassExW(&wc) != 0;
}

// The object behind a window created with that object as its creation parameter: kept in the
// window's user data from WM_NCCREATE on; null before, and once a procedure has cleared it.
template <typename Object>
Object* ObjectOfWindow(HWND hwnd, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<Object*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    object->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
  }
  return reinterpret_cast<Object*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

}  // namespace win32ui
