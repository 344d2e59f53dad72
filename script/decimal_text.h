// The two general conversions between doubles and decimal text that the script
// format needs: a value written with three decimals, and the value of a plain
// decimal (digits with at most one full stop). The writer and the reader call
// them only where their own exact shortcuts do not apply.
//
// Each has two equal implementations: the standard library's floating-point
// std::to_chars / std::from_chars, and a portable one on snprintf and strtod
// for libraries that lack those (libc++ before version 20 has no floating-point
// from_chars). The portable one is chosen when the library lacks them or the
// build defines QUILLMERE_PORTABLE_NUMBERS; both give the same bytes and values,
// in any locale.
#pragma once

#include <charconv>
#include <cstddef>
#include <string_view>

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define QUILLMERE_LIBRARY_NUMBERS 1
#endif

// Large enough for any finite double with three decimals, and a sign.
constexpr size_t kDecimalTextSize = 400;

// A finite value with exactly three decimals, correctly rounded (ties to even
// on the exact binary value), a full stop as the decimal point: 2.500, -0.333,
// 10000000000.000. out must hold kDecimalTextSize bytes; returns the length.
size_t FixedThreeDecimals(double value, char* out);
// The value of digits with at most one full stop, neither sign nor exponent
// ("12", "0.5", "12."), correctly rounded; a value too large for a double is
// infinity, one too small is 0.
double DecimalValue(std::string_view text);

// The implementations behind them, for comparing one with the other.
size_t PortableFixedThreeDecimals(double value, char* out);
double PortableDecimalValue(std::string_view text);
#ifdef QUILLMERE_LIBRARY_NUMBERS
size_t LibraryFixedThreeDecimals(double value, char* out);
double LibraryDecimalValue(std::string_view text);
#endif
