// Who the window program is to the desktop: its name, the desktop entry its windows belong to
// and its icon, the same for every window.
#pragma once

#include <QIcon>

namespace app {

// The class half of every window's WM_CLASS under X11 (the desktop entry's StartupWMClass,
// by which a dock ties the window to the entry) and the program's name.
inline constexpr const char* kWindowClass = "Quillrate";
// The desktop entry's name without ".desktop": the application id under Wayland.
inline constexpr const char* kDesktopFileName = "io.github.quillrate.Quillrate";

// The icon of the menu entry, in the sizes a title bar, a task bar and a dock ask for.
QIcon ProgramIcon();
// Sets the name, the desktop entry and the icon before the first window is made.
void SetProgramIdentity();

}  // namespace app
