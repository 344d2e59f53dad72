#include "app/win/window_centring.h"

namespace {

bool IsChildWindow(HWND window) { return (GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0; }

bool IsShownOwner(HWND owner) { return owner && IsWindowVisible(owner) && !IsIconic(owner); }

// Where the window must stay, in the coordinates that SetWindowPos takes for it.
RECT BoundingArea(HWND window) {
  RECT area;
  if (IsChildWindow(window)) {
    GetClientRect(GetParent(window), &area);
  } else {
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  }
  return area;
}

// The rectangle whose centre the window takes, in the same coordinates.
RECT ReferenceArea(HWND window, const RECT& boundingArea) {
  RECT reference = boundingArea;
  if (IsChildWindow(window)) return reference;
  const HWND owner = GetWindow(window, GW_OWNER);
  if (IsShownOwner(owner)) GetWindowRect(owner, &reference);
  return reference;
}

// The start of a span of the given size centred on [low, high), kept inside [areaLow, areaHigh).
LONG CentredStart(LONG low, LONG high, LONG size, LONG areaLow, LONG areaHigh) {
  LONG start = (low + high) / 2 - size / 2;
  if (start < areaLow) start = areaLow;
  if (start + size > areaHigh) start = areaHigh - size;
  return start;
}

}  // namespace

void CentreWindow(HWND window) {
  const RECT area = BoundingArea(window);
  const RECT reference = ReferenceArea(window, area);
  RECT own;
  GetWindowRect(window, &own);
  const LONG width = own.right - own.left;
  const LONG height = own.bottom - own.top;
  const LONG left = CentredStart(reference.left, reference.right, width, area.left, area.right);
  const LONG top = CentredStart(reference.top, reference.bottom, height, area.top, area.bottom);
  SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
