#include "script/decimal_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

// snprintf converts exactly, as the library's to_chars does; only its decimal
// point is the locale's, which may even be several bytes: it is put back to a
// full stop.
size_t PortableFixedThreeDecimals(double value, char* out) {
  const int written = std::snprintf(out, kDecimalTextSize, "%.3f", value);
  if (written < 4 || static_cast<size_t>(written) >= kDecimalTextSize) return 0;  // not finite
  const size_t length = static_cast<size_t>(written);
  char* point = out + (out[0] == '-' ? 1 : 0);
  while (IsDigit(*point)) ++point;
  std::memmove(point + 1, out + length - 3, 3);
  *point = '.';
  return static_cast<size_t>(point + 4 - out);
}

// strtod rounds correctly but reads the locale's decimal point, and hex, inf
// and nan: it is handed only significant digits and a power of ten,
// "12345e-3", which every locale reads alike. Its range errors give infinity
// and 0 as wanted.
double PortableDecimalValue(std::string_view text) {
  const size_t point = std::min(text.find('.'), text.size());
  const size_t decimals = point < text.size() ? text.size() - point - 1 : 0;
  std::string digits(text.substr(0, point));
  if (decimals > 0) digits.append(text.substr(point + 1));
  const size_t first = digits.find_first_not_of('0');
  if (first == std::string::npos) return 0.0;
  const size_t last = digits.find_last_not_of('0');
  // digits is the value times ten to the power of decimals; trailing zeros go
  // into the power.
  const long long power = static_cast<long long>(digits.size() - 1 - last) - static_cast<long long>(decimals);
  std::string scientific = digits.substr(first, last + 1 - first);
  scientific += 'e';
  scientific += std::to_string(power);
  return std::strtod(scientific.c_str(), nullptr);
}

#ifdef QUILLMERE_LIBRARY_NUMBERS
size_t LibraryFixedThreeDecimals(double value, char* out) {
  const std::to_chars_result result =
      std::to_chars(out, out + kDecimalTextSize, value, std::chars_format::fixed, 3);
  return result.ec == std::errc() ? static_cast<size_t>(result.ptr - out) : 0;
}

double LibraryDecimalValue(std::string_view text) {
  double value = 0.0;
  const std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range)
    return text.find_first_of("123456789") < text.find('.') ? std::numeric_limits<double>::infinity()
                                                              : 0.0;
  return value;
}
#endif

#if defined(QUILLMERE_LIBRARY_NUMBERS) && !defined(QUILLMERE_PORTABLE_NUMBERS)
size_t FixedThreeDecimals(double value, char* out) { return LibraryFixedThreeDecimals(value, out); }
double DecimalValue(std::string_view text) { return LibraryDecimalValue(text); }
#else
size_t FixedThreeDecimals(double value, char* out) { return PortableFixedThreeDecimals(value, out); }
double DecimalValue(std::string_view text) { return PortableDecimalValue(text); }
#endif
