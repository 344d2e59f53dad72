// Places a dialog in the middle of what it belongs to: the parent's client
// area for a child window, otherwise the owner when it is visible and not
// minimised, otherwise the desktop's work area. The dialog is then moved back
// inside the work area (or the parent's client area) where it would stick out.
// Only the position changes.
#pragma once

#include <windows.h>

void CentreWindow(HWND window);
