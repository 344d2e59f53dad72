// The bytes of the script format as the reader sees them: their classes, and
// the plain numbers it converts itself.
#pragma once

#include <array>
#include <cstdint>

namespace script_bytes {

// Every byte's class: the first three make up words, the rest are what a line
// can hold besides them.
enum CharClass : uint8_t {
  kWordStart,
  kDigit,
  kUnderscore,
  kOther,
  kZero,
  kLineEnd,
  kBlank,
  kHash,
  kMinus,
  kEquals,
  kOpenBrace,
  kCloseBrace,
  kQuote,
};

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> c{};
  c.fill(kOther);
  for (int b = 'A'; b <= 'Z'; ++b) c[b] = kWordStart;
  for (int b = 'a'; b <= 'z'; ++b) c[b] = kWordStart;
  c['@'] = kWordStart;
  for (int b = 0xC4; b <= 0xDC; ++b) c[b] = kWordStart;
  for (int b : {0xE4, 0xE5, 0xE9, 0xF4, 0xF6, 0xFC}) c[b] = kWordStart;
  for (int b = '0'; b <= '9'; ++b) c[b] = kDigit;
  c['_'] = kUnderscore;
  c[0] = kZero;
  c['\n'] = c['\r'] = kLineEnd;
  c[' '] = c['\t'] = kBlank;
  c['#'] = kHash;
  c['-'] = kMinus;
  c['='] = kEquals;
  c['{'] = kOpenBrace;
  c['}'] = kCloseBrace;
  c['"'] = kQuote;
  return c;
}
inline constexpr std::array<uint8_t, 256> kClass = MakeClasses();

inline bool IsWordChar(unsigned char c) { return kClass[c] <= kUnderscore; }
inline bool IsDigit(unsigned char c) { return kClass[c] == kDigit; }
inline bool IsLineEnd(unsigned char c) { return c == '\n' || c == '\r'; }
inline bool IsBlank(unsigned char c) { return c == ' ' || c == '\t'; }
inline bool EndsComment(unsigned char c) { return c == 0 || IsLineEnd(c); }

inline bool IsWordStart(unsigned char c) { return kClass[c] == kWordStart; }
inline bool IsKeyStart(unsigned char c) { return kClass[c] <= kDigit; }
inline bool EndsQuoted(unsigned char c) { return EndsComment(c); }

// Past the blanks from p on, before end.
inline const unsigned char* SkipBlanksIn(const unsigned char* p, const unsigned char* end) {
  while (p < end && IsBlank(*p)) ++p;
  return p;
}

// Past the word characters from p on, before end.
inline const unsigned char* SkipWordIn(const unsigned char* p, const unsigned char* end) {
  while (p < end && IsWordChar(*p)) ++p;
  return p;
}

// The plain number from p (a digit) on, when it lies wholly before end: at most
// 15 digits and one full stop, not followed by another. Its digits and its
// power of ten are both exact doubles, so one division rounds exactly as the
// decimal conversion does. Returns where it ends, with its value in *value;
// null for any other number, which takes the general conversion.
inline const unsigned char* PlainNumber(const unsigned char* p, const unsigned char* end, double* value) {
  const unsigned char* start = p;
  uint64_t digits = 0;
  unsigned d;
  while (p < end && (d = static_cast<unsigned>(*p - '0')) < 10) {
    digits = digits * 10 + d;
    ++p;
  }
  const unsigned char* point = p;
  if (p < end && *p == '.') {
    ++p;
    while (p < end && (d = static_cast<unsigned>(*p - '0')) < 10) {
      digits = digits * 10 + d;
      ++p;
    }
  }
  const bool fraction = p > point;
  const auto count = static_cast<size_t>(p - start) - (fraction ? 1 : 0);
  if (p == end || *p == '.' || count > 15) return nullptr;
  static constexpr double kPowers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6, 1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  const auto decimals = fraction ? static_cast<size_t>(p - point - 1) : 0;
  *value = decimals == 0 ? static_cast<double>(digits) : static_cast<double>(digits) / kPowers[decimals];
  return p;
}

// PlainNumber with a sign before it or not, p at the sign or at a digit.
inline const unsigned char* SignedPlainNumber(const unsigned char* p, const unsigned char* end, double* value) {
  const bool negative = *p == '-';
  const unsigned char* digits = negative ? p + 1 : p;
  if (digits == end || !IsDigit(*digits)) return nullptr;
  const unsigned char* after = PlainNumber(digits, end, value);
  if (after && negative) *value = -*value;
  return after;
}

// Whether a byte of this class may start what the reader's shortcut reads.
inline bool StartsRun(uint8_t c) {
  return c == kWordStart || c == kDigit || c == kMinus || c == kOpenBrace || c == kCloseBrace;
}

}  // namespace script_bytes
