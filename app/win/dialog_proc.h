// The dialog procedure of a dialog object: the WM_INITDIALOG parameter is the
// object, which is kept in the window's user data, told OnInitDialog, and
// then handed every later message (HandleMessage). Messages before
// WM_INITDIALOG are left to the system. Pass DialogProcOf<T> to
// DialogBoxParamA with the object as its parameter; T befriends it.
#pragma once

#include <windows.h>

template <typename Dialog>
INT_PTR CALLBACK DialogProcOf(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<Dialog*>(lParam)->OnInitDialog(window);
    return TRUE;
  }
  auto* dialog = reinterpret_cast<Dialog*>(GetWindowLongPtrA(window, DWLP_USER));
  return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}
