#include "app/win/list_box_log.h"

#include <string>

void ListBoxLog::AddLine(std::string_view text) {
  const std::string line(text);
  SendMessageA(listBox_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
}

void ListBoxLog::Clear() { SendMessageA(listBox_, LB_RESETCONTENT, 0, 0); }
