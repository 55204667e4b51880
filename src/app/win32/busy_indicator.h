// The busy indicator beside the step-3 text: spokes that turn while the drive becomes ready.
#pragma once

#include "platform/windows_api.h"

namespace win32ui {

HWND MakeBusyIndicator(HWND parent, RECT at);
void StartBusyIndicator(HWND indicator);
void StopBusyIndicator(HWND indicator);

}  // namespace win32ui
