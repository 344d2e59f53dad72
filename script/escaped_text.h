// Text from a file shown on one line of a terminal or a log: every control
// character (below 0x20, and 0x7f) is written as \xHH, so that no byte of a
// file can end the line, move the cursor or send an escape sequence.
#pragma once

#include <string>
#include <string_view>

std::string EscapeControlCharacters(std::string_view text);
