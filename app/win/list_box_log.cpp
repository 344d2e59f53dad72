#include "app/win/list_box_log.h"

#include <string>

namespace {

// The list draws each line a little in from its left edge; this much room
// beyond the text keeps the last letter whole.
constexpr int kTextMargin = 4;

}  // namespace

void ListBoxLog::AddLine(std::string_view text) {
  const std::string line(text);
  SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  const int width = TextWidth(text) + kTextMargin;
  if (width <= widest_) return;
  widest_ = width;
  SendMessageA(listBox_, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest_), 0);
}

void ListBoxLog::Clear() {
  SendMessageA(listBox_, LB_RESETCONTENT, 0, 0);
  widest_ = 0;
  SendMessageA(listBox_, LB_SETHORIZONTALEXTENT, 0, 0);
}

// The width of the text in the list's font.
int ListBoxLog::TextWidth(std::string_view text) const {
  HDC context = GetDC(listBox_);
  if (!context) return 0;
  const auto font = reinterpret_cast<HFONT>(SendMessageA(listBox_, WM_GETFONT, 0, 0));
  const HGDIOBJ previous = font ? SelectObject(context, font) : nullptr;
  SIZE size{};
  GetTextExtentPoint32A(context, text.data(), static_cast<int>(text.size()), &size);
  if (previous) SelectObject(context, previous);
  ReleaseDC(listBox_, context);
  return size.cx;
}
