#include "script/escaped_text.h"

std::string EscapeControlCharacters(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7f) {
      shown.push_back(c);
      continue;
    }
    shown += "\\x";
    shown.push_back(kHex[byte >> 4]);
    shown.push_back(kHex[byte & 0xf]);
  }
  return shown;
}
