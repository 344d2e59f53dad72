// The program's message box: its title, the text, and an OK button only.
#pragma once

#include <windows.h>

#include <string_view>

void ShowProgramMessage(HWND owner, std::string_view text);
