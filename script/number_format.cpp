#include "script/number_format.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

bool FitsInt32(double value) { return value >= -2147483648.0 && value < 2147483648.0; }

size_t FormatInteger(int32_t value, char* out) {
  return static_cast<size_t>(std::to_chars(out, out + kNumberTextSize, value).ptr - out);
}

// Three decimals for a value below 2^31 in magnitude, without the general
// conversion: value * 1000 is within 2^-12 of its exact product there, so
// rounding it gives the exact answer unless the fraction lies near one half,
// which is left to the general conversion (returns 0).
size_t FormatThousandths(double value, char* out) {
  const double scaled = std::fabs(value) * 1000.0;
  const double whole = std::floor(scaled);
  const double rest = scaled - whole;
  if (rest > 0.49 && rest < 0.51) return 0;
  const int64_t thousandths = static_cast<int64_t>(whole) + (rest >= 0.5 ? 1 : 0);
  const int64_t units = thousandths / 1000;
  const int64_t fraction = thousandths % 1000;
  if (fraction == 0)  // reads back as a whole number: write it as one
    return FormatInteger(static_cast<int32_t>(value < 0 ? -units : units), out);
  char* p = out;
  if (value < 0) *p++ = '-';
  p = std::to_chars(p, out + kNumberTextSize, units).ptr;
  *p++ = '.';
  *p++ = static_cast<char>('0' + fraction / 100);
  *p++ = static_cast<char>('0' + fraction / 10 % 10);
  *p++ = static_cast<char>('0' + fraction % 10);
  return static_cast<size_t>(p - out);
}

}  // namespace

int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(value);
}

size_t FormatNumber(double value, char* out) {
  if (std::isnan(value)) value = 0.0;
  if (std::isinf(value))
    value = std::copysign(std::numeric_limits<double>::max(), value);
  if (FitsInt32(value) && static_cast<double>(static_cast<int32_t>(value)) == value)
    return FormatInteger(static_cast<int32_t>(value), out);
  if (std::fabs(value) < 2147483647.0)
    if (size_t length = FormatThousandths(value, out)) return length;
  const size_t length = FixedThreeDecimals(value, out);
  const char* end = out + length;
  if (length >= 4 && std::memcmp(end - 4, ".000", 4) == 0) {
    int64_t whole = 0;  // the value the text stands for
    auto parsed = std::from_chars(out, end - 4, whole);
    if (parsed.ec == std::errc() && FitsInt32(static_cast<double>(whole)))
      return FormatInteger(static_cast<int32_t>(whole), out);
  }
  return length;
}

std::string ShortNumber(double value) {
  std::string text = std::to_string(value);
  if (text.find('.') == std::string::npos) return text;
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

std::optional<int32_t> WholeInt32(double value) {
  const int32_t whole = TruncateToInt32(value);
  if (static_cast<double>(whole) != value) return std::nullopt;
  return whole;
}
