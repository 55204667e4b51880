// The Windows API, <windows.h>, for every Windows-only file, without the macros that would rename
// the program's own operations: the system header maps GetDriveType and CreateEvent to their ANSI
// variants, which are called by their full names here.
#pragma once

#include <windows.h>

#undef GetDriveType
#undef CreateEvent
