// gui_probe.exe: looks at and works the dialogs of a running quillmere.exe from
// outside, as a user would, through the standard messages of their controls.
// Windows are found by their exact caption (case-sensitive), visible ones only.
//
//   gui_probe wait CAPTION SECONDS              until such a window is shown
//   gui_probe wait-gone CAPTION SECONDS         until no such window is shown
//   gui_probe wait-last CAPTION ID TEXT SECONDS until list ID ends with the line TEXT
//   gui_probe lines CAPTION ID                  the lines of list box ID
//   gui_probe texts CAPTION                     the texts of the window's static controls
//   gui_probe enabled CAPTION ID                exit code 0 when control ID is enabled
//   gui_probe click CAPTION ID                  press button ID; returns when the dialog has handled it
//   gui_probe press CAPTION ID                  press button ID without waiting (for buttons that
//                                               open a message box)
//   gui_probe close CAPTION                     ask the window to close, without waiting
//   gui_probe select CAPTION ID INDEX           select line INDEX of list box ID
//   gui_probe choose CAPTION ID TEXT            choose TEXT in combo box ID, as the user would
//
// Exit code 0 on success, 1 when the window, control or text is not there (in
// time), 2 on wrong use.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Search {
  std::string caption;
  HWND found = nullptr;
};

std::string WindowText(HWND window) {
  std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  return text.data();
}

BOOL CALLBACK MatchCaption(HWND window, LPARAM search) {
  auto* wanted = reinterpret_cast<Search*>(search);
  if (!IsWindowVisible(window) || WindowText(window) != wanted->caption) return TRUE;
  wanted->found = window;
  return FALSE;
}

HWND FindShown(const std::string& caption) {
  Search search{caption};
  EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForShown(const std::string& caption, double seconds) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
  for (;;) {
    if (HWND window = FindShown(caption)) return window;
    if (GetTickCount64() >= end) return nullptr;
    Sleep(100);
  }
}

std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::vector<char> bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, bytes.data(), size, nullptr, nullptr);
  return bytes.data();
}

// The wide-character messages: wine answers LB_GETTEXT from another process
// in wide characters even when asked through SendMessageA.
std::vector<std::string> ListLines(HWND list) {
  std::vector<std::string> lines;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::vector<wchar_t> text(static_cast<size_t>(length < 0 ? 0 : length) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    lines.push_back(Narrow(text.data()));
  }
  return lines;
}

BOOL CALLBACK PrintStaticText(HWND child, LPARAM) {
  char kind[16] = {};
  GetClassNameA(child, kind, sizeof kind);
  const std::string text = WindowText(child);
  if (lstrcmpiA(kind, "Static") == 0 && !text.empty()) std::printf("%s\n", text.c_str());
  return TRUE;
}

int Fail(const char* what, const std::string& name) {
  std::fprintf(stderr, "gui_probe: %s: %s\n", what, name.c_str());
  return 1;
}

HWND Control(HWND window, const char* id) { return GetDlgItem(window, std::atoi(id)); }

int Run(int argc, char** argv) {
  if (argc < 3) return 2;
  const std::string command = argv[1];
  const std::string caption = argv[2];
  if (command == "wait" && argc == 4)
    return WaitForShown(caption, std::atof(argv[3])) ? 0 : Fail("no window", caption);
  if (command == "wait-gone" && argc == 4) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::atof(argv[3]) * 1000);
    while (FindShown(caption)) {
      if (GetTickCount64() >= end) return Fail("still shown", caption);
      Sleep(100);
    }
    return 0;
  }
  const HWND window = FindShown(caption);
  if (!window) return Fail("no window", caption);
  if (command == "close" && argc == 3) return PostMessageA(window, WM_CLOSE, 0, 0) ? 0 : 1;
  if (command == "texts" && argc == 3) {
    EnumChildWindows(window, PrintStaticText, 0);
    return 0;
  }
  if (argc < 4) return 2;
  const HWND control = Control(window, argv[3]);
  if (!control) return Fail("no control", argv[3]);
  if (command == "lines" && argc == 4) {
    for (const std::string& line : ListLines(control)) std::printf("%s\n", line.c_str());
    return 0;
  }
  if (command == "enabled" && argc == 4) return IsWindowEnabled(control) ? 0 : 1;
  if (command == "click" && argc == 4) {
    SendMessageA(control, BM_CLICK, 0, 0);
    return 0;
  }
  if (command == "press" && argc == 4) return PostMessageA(control, BM_CLICK, 0, 0) ? 0 : 1;
  if (command == "select" && argc == 5)
    return SendMessageA(control, LB_SETCURSEL, std::atoi(argv[4]), 0) == LB_ERR ? 1 : 0;
  if (command == "choose" && argc == 5) {
    const LRESULT index = SendMessageA(control, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(argv[4]));
    if (index == CB_ERR) return Fail("not in the box", argv[4]);
    SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    const WPARAM selectionChanged = MAKEWPARAM(GetDlgCtrlID(control), CBN_SELCHANGE);
    SendMessageA(window, WM_COMMAND, selectionChanged, reinterpret_cast<LPARAM>(control));
    return 0;
  }
  if (command == "wait-last" && argc == 6) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(std::atof(argv[5]) * 1000);
    for (;;) {
      const std::vector<std::string> lines = ListLines(control);
      if (!lines.empty() && lines.back() == argv[4]) return 0;
      if (GetTickCount64() >= end) return Fail("last line is not", argv[4]);
      Sleep(100);
    }
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int result = Run(argc, argv);
  if (result == 2) std::fprintf(stderr, "gui_probe: wrong use; see the comment at the top of gui_probe.cpp\n");
  return result;
}
