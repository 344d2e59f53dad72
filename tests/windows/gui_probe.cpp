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
//   gui_probe select CAPTION ID INDEX...        select exactly these lines of list box ID
//                                               (a list with extended selection)
//   gui_probe selected CAPTION ID               the selected lines' indexes of list box ID
//   gui_probe choose CAPTION ID TEXT            choose TEXT in combo box ID, as the user would
//   gui_probe focus CAPTION ID                  move the keyboard focus to control ID
//   gui_probe layout CAPTION EXE DIALOG         every static text and button of the window
//                                               shows its text whole (see TextFits)
//   gui_probe extent CAPTION ID EXE DIALOG      list box ID can be scrolled to show its
//                                               widest line whole
//
// layout and extent measure texts in the fonts of the controls, which another
// process cannot use: they make a hidden copy of dialog DIALOG from the
// resources of EXE (the program's file), check that its controls have the
// sizes of the window shown, and measure in the copy's fonts.
//
// Exit code 0 on success, 1 when the window, control or text is not there (in
// time), 2 on wrong use.
#include <windows.h>

#include <cstdio>
#include <algorithm>
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

// A hidden copy of a dialog of the program, made from its own resources.
HWND DialogCopy(const char* programFile, int dialogId) {
  const HMODULE program = LoadLibraryExA(programFile, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!program) return nullptr;
  const HRSRC found = FindResourceA(program, MAKEINTRESOURCEA(dialogId), MAKEINTRESOURCEA(5));  // RT_DIALOG
  const HGLOBAL loaded = found ? LoadResource(program, found) : nullptr;
  const auto* dialog = loaded ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
  if (!dialog) return nullptr;
  const auto ignoreMessages = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
  return CreateDialogIndirectParamA(program, dialog, nullptr, ignoreMessages, 0);
}

std::vector<HWND> Children(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM list) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

SIZE OuterSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

bool SameSizes(const std::vector<HWND>& shown, const std::vector<HWND>& copy) {
  if (shown.size() != copy.size()) return false;
  for (size_t i = 0; i < shown.size(); ++i) {
    const SIZE a = OuterSize(shown[i]);
    const SIZE b = OuterSize(copy[i]);
    if (a.cx == b.cx && a.cy == b.cy) continue;
    std::fprintf(stderr, "gui_probe: control %zu (%s) is %ldx%ld, its copy %ldx%ld\n", i,
                 WindowText(shown[i]).c_str(), a.cx, a.cy, b.cx, b.cy);
    return false;
  }
  return true;
}

// The size of one line of text in the control's font.
SIZE TextSize(HWND control, const std::string& text) {
  HDC context = GetDC(control);
  const HGDIOBJ previous = SelectObject(context, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT needed{};
  DrawTextA(context, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(context, previous);
  ReleaseDC(control, context);
  return {needed.right - needed.left, needed.bottom - needed.top};
}

bool IsTextStatic(HWND control, const char* kind) {
  const LONG type = GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK;
  return lstrcmpiA(kind, "Static") == 0 &&
         (type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_SIMPLE || type == SS_LEFTNOWORDWRAP);
}

// Whether a static text or a push button shows its text whole: one line of it
// fits the control's inside (a button's inside lies within its raised edge).
// Other controls count as fitting. A static text that is too narrow breaks its
// line and loses what falls below; a button cuts its text at both ends.
bool TextFits(HWND control) {
  char kind[16] = {};
  GetClassNameA(control, kind, sizeof kind);
  const bool button = lstrcmpiA(kind, "Button") == 0;
  const std::string text = WindowText(control);
  if (text.empty() || (!button && !IsTextStatic(control, kind))) return true;
  RECT inside{};
  GetClientRect(control, &inside);
  if (button) InflateRect(&inside, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
  const SIZE needed = TextSize(control, text);
  const SIZE room{inside.right - inside.left, inside.bottom - inside.top};
  const bool fits = needed.cx <= room.cx && needed.cy <= room.cy;
  std::printf("%s \"%s\": needs %ldx%ld, has %ldx%ld%s\n", kind, text.c_str(), needed.cx, needed.cy, room.cx,
              room.cy, fits ? "" : "  DOES NOT FIT");
  return fits;
}

int CheckLayout(HWND shown, const char* programFile, int dialogId) {
  const HWND copy = DialogCopy(programFile, dialogId);
  if (!copy) return Fail("no such dialog in", programFile);
  const std::vector<HWND> controls = Children(copy);
  if (!SameSizes(Children(shown), controls)) return Fail("controls differ from the copy of dialog", programFile);
  bool allFit = true;
  for (HWND control : controls) allFit = TextFits(control) && allFit;
  return allFit ? 0 : 1;
}

int CheckExtent(HWND list, int id, const char* programFile, int dialogId) {
  const HWND copy = DialogCopy(programFile, dialogId);
  const HWND copyList = copy ? GetDlgItem(copy, id) : nullptr;
  if (!copyList) return Fail("no such list in", programFile);
  LONG widest = 0;
  for (const std::string& line : ListLines(list)) widest = std::max(widest, TextSize(copyList, line).cx);
  const LRESULT extent = SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0);
  RECT inside{};
  GetClientRect(list, &inside);
  std::printf("widest line %ld, horizontal extent %ld, list %ld\n", widest, static_cast<long>(extent),
              inside.right - inside.left);
  return extent >= widest ? 0 : 1;
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
  if (command == "layout" && argc == 5) return CheckLayout(window, argv[3], std::atoi(argv[4]));
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
  if (command == "select" && argc >= 5) {
    SendMessageA(control, LB_SETSEL, FALSE, -1);
    for (int i = 4; i < argc; ++i)
      if (SendMessageA(control, LB_SETSEL, TRUE, std::atoi(argv[i])) == LB_ERR) return Fail("cannot select", argv[i]);
    return 0;
  }
  if (command == "selected" && argc == 4) {
    const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
      if (SendMessageA(control, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) std::printf("%ld\n", static_cast<long>(i));
    return 0;
  }
  if (command == "focus" && argc == 4) {
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    return 0;
  }
  if (command == "extent" && argc == 6) return CheckExtent(control, std::atoi(argv[3]), argv[4], std::atoi(argv[5]));
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
