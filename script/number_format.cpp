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
  char* end = std::to_chars(out, out + kNumberTextSize, value, std::chars_format::fixed, 3).ptr;
  size_t length = static_cast<size_t>(end - out);
  if (length >= 4 && std::memcmp(end - 4, ".000", 4) == 0) {
    int64_t whole = 0;  // the value the text stands for
    auto parsed = std::from_chars(out, end - 4, whole);
    if (parsed.ec == std::errc() && FitsInt32(static_cast<double>(whole)))
      return FormatInteger(static_cast<int32_t>(whole), out);
  }
  return length;
}
