// What the floor probes share: a whole file in memory and the byte classes of
// the script format (the reader's own: letters, the commercial-at sign and
// some accented Latin-1 letters start words; words go on with digits and "_").
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace probe {

enum ByteClass : uint8_t { kOther, kWord, kDigit, kSpace, kQuote, kComment };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> c{};
  for (int b = 'A'; b <= 'Z'; ++b) c[b] = c[b + 32] = kWord;
  for (int b = 0xC4; b <= 0xDC; ++b) c[b] = kWord;
  for (int b : {0x40, 0x5F, 0xE4, 0xE5, 0xE9, 0xF4, 0xF6, 0xFC}) c[b] = kWord;
  for (int b = '0'; b <= '9'; ++b) c[b] = kDigit;
  for (int b : {0x20, 0x09, 0x0D, 0x0A}) c[b] = kSpace;
  c['"'] = kQuote;
  c['#'] = kComment;
  return c;
}
inline constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

inline bool InWord(unsigned char c) { return kClasses[c] == kWord || kClasses[c] == kDigit; }

// The file's bytes followed by a zero byte, which ends every scan; empty when
// it cannot be read.
inline std::string ReadWholeFile(const char* path) {
  std::string bytes;
  std::FILE* file = std::fopen(path, "rb");
  if (!file) return bytes;
  std::fseek(file, 0, SEEK_END);
  const long size = std::ftell(file);
  std::fseek(file, 0, SEEK_SET);
  if (size > 0) {
    bytes.resize(static_cast<size_t>(size) + 1);
    bytes.resize(std::fread(bytes.data(), 1, static_cast<size_t>(size), file));
  }
  std::fclose(file);
  bytes.push_back('\0');
  return bytes;
}

// Past the token that starts at p (a word, a number, a quoted string, or any
// other single byte); p is not at a blank or a comment.
inline const unsigned char* TokenEnd(const unsigned char* p) {
  if (kClasses[*p] == kQuote) {
    ++p;
    while (*p && *p != '"' && *p != '\n' && *p != '\r') ++p;
    return *p == '"' ? p + 1 : p;
  }
  if (!InWord(*p)) return p + 1;
  const unsigned char* start = p;
  while (InWord(*p) || (*p == '.' && kClasses[*start] == kDigit)) ++p;
  return p;
}

// Past the blanks, line ends and comments at p.
inline const unsigned char* SkipSpace(const unsigned char* p) {
  for (;;) {
    if (kClasses[*p] == kSpace) {
      ++p;
    } else if (*p == '#') {
      while (*p && *p != '\n' && *p != '\r') ++p;
    } else {
      return p;
    }
  }
}

// The value of the digits and full stops from p to end, in the simplest way.
inline double NumberAt(const unsigned char* p, const unsigned char* end) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  uint64_t digits = 0;
  int decimals = -1;
  for (; p < end; ++p) {
    if (*p == '.') {
      decimals = 0;
    } else if (*p >= '0' && *p <= '9') {
      digits = digits * 10 + (*p - '0');
      if (decimals >= 0) ++decimals;
    }
  }
  return static_cast<double>(digits) / (decimals > 0 && decimals < 10 ? kPowers[decimals] : 1.0);
}

}  // namespace probe
