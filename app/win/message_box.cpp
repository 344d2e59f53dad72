#include "app/win/message_box.h"

#include <string>

#include "app/core/program_info.h"

void ShowProgramMessage(HWND owner, std::string_view text) {
  const std::string message(text);
  MessageBoxA(owner, message.c_str(), kMessageTitle, MB_OK);
}
