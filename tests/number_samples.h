// Samples on which the two implementations of the number conversions
// (script/decimal_text.h) must agree: doubles for the writer's three-decimal
// form and decimal texts for the reader, from a seeded generator, so that a
// mismatch can be found again. Each batch mixes, in fixed shares:
//   doubles: random bit patterns; exact ties of the third decimal (odd
//   multiples of 1/16) and their neighbours; thousandths and half-thousandths;
//   subnormals; values beyond 32 bits up to the largest double (the writer's
//   shortcuts skip these and near-ties).
//   texts: short and long plain decimals, digit strings of hundreds of digits,
//   the exact midpoints between neighbouring doubles and the long doubles just
//   beside them (from subnormals to the largest double), and texts that
//   overflow or underflow a double.
// The shared helpers of the test and of the benchmark bench/number_bench.cpp.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "script/decimal_text.h"

static_assert(std::numeric_limits<long double>::digits >= 64,
              "midpoints between doubles are exact long doubles");

class NumberSamples {
 public:
  explicit NumberSamples(uint64_t seed) : random_(seed) {}

  void NextDoubles(std::vector<double>& out, size_t n) {
    out.clear();
    for (size_t i = 0; i < n; ++i) out.push_back(NextDouble());
  }
  void NextTexts(std::vector<std::string>& out, size_t n) {
    out.resize(n);
    for (std::string& text : out) NextText(text);
  }

 private:
  uint64_t Below(uint64_t n) { return std::uniform_int_distribution<uint64_t>(0, n - 1)(random_); }
  double Signed(double value) { return Below(2) ? -value : value; }
  // A double from its fields: a biased exponent (0 for a subnormal) and a random mantissa.
  double WithExponent(uint64_t biased) {
    const uint64_t bits = (biased << 52) | (random_() & ((uint64_t{1} << 52) - 1));
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  double NextDouble() {
    switch (Below(8)) {
      case 0: return Signed(WithExponent(Below(2047)));
      case 1: return Signed(Tie());
      case 2: return Signed(std::nextafter(Tie(), Below(2) ? 0.0 : 1e300));
      case 3: return Signed((static_cast<double>(Below(uint64_t{1} << 41)) + 0.5 * Below(2)) / 1000.0);
      case 4: return Signed(WithExponent(0));
      case 5: return Signed(WithExponent(1023 + 31 + Below(993)));
      case 6: return Signed(2147483647.0 + static_cast<double>(Below(4)) * 0.25 - 0.5);
      default: return Signed(WithExponent(1023 - 20 + Below(52)));
    }
  }
  // An odd multiple of 1/16: its thousandths end in an exact 5.
  double Tie() { return static_cast<double>(2 * Below(uint64_t{1} << Below(50)) + 1) / 16.0; }

  void NextText(std::string& text) {
    text.clear();
    switch (Below(16)) {
      case 0: return Midpoint(text, WithExponent(1 + Below(2046)));
      case 1: return Midpoint(text, WithExponent(1023 - 60 + Below(120)));
      case 2: return Midpoint(text, WithExponent(Below(2)));  // subnormals
      case 3: return Midpoint(text, WithExponent(2046 - Below(2)));  // up to the largest double
      case 4: return Digits(text, 100 + Below(700), Below(2) ? 0 : 1 + Below(800));
      case 5: return Underflow(text);
      case 6: return Digits(text, 300 + Below(20), 0);  // near and beyond the largest double
      case 7: case 8: return Digits(text, 16 + Below(30), Below(40));
      default: return Digits(text, 1 + Below(15), Below(12));
    }
  }
  void RandomDigits(std::string& text, uint64_t n) {
    for (uint64_t i = 0; i < n; ++i) text.push_back(static_cast<char>('0' + Below(10)));
  }
  // whole digits (a leading zero at times), then a full stop and decimals
  // digits when decimals is not 0; now and then the full stop alone ("12.").
  void Digits(std::string& text, uint64_t whole, uint64_t decimals) {
    RandomDigits(text, whole);
    if (decimals > 0 || Below(8) == 0) text.push_back('.');
    RandomDigits(text, decimals);
  }
  void Underflow(std::string& text) {
    text = "0.";
    text.append(300 + Below(40), '0');
    RandomDigits(text, 1 + Below(30));
  }
  // The exact midpoint between value and the next double up (2^1024 above the
  // largest), or the long double just below or above it, written out in full.
  void Midpoint(std::string& text, double value) {
    const double up = std::nextafter(value, INFINITY);
    long double mid = (static_cast<long double>(value) +
                       (std::isinf(up) ? std::ldexp(1.0L, 1024) : static_cast<long double>(up))) / 2;
    if (const uint64_t side = Below(3)) mid = std::nextafter(mid, side == 1 ? 0.0L : INFINITY);
    // Its lowest bit is 2^(ilogb - 63): so many decimals write it exactly.
    const int decimals = std::max(0, 63 - std::ilogb(mid));
    char buffer[1500];  // 309 whole digits at most, 1139 decimals at most
    const int n = std::snprintf(buffer, sizeof buffer, "%.*Lf", decimals, mid);
    text.assign(buffer, static_cast<size_t>(n));
  }

  std::mt19937_64 random_;
};
