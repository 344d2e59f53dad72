// Numbers of the script format: how a double becomes an id or a count, and how
// the writer prints it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "script/decimal_text.h"

// The value truncated toward zero to a 32-bit integer. Values beyond the range
// saturate at its ends and NaN gives 0, so that no input can cause an overflow.
int32_t TruncateToInt32(double value);

// The value as a 32-bit integer when it is one exactly; nothing for a
// fraction or a value beyond the range, which no integer id can equal.
std::optional<int32_t> WholeInt32(double value);

// Rounding as the conversion uses it: add 0.5, then truncate toward zero.
inline int32_t RoundToInt32(double value) { return TruncateToInt32(value + 0.5); }

// Large enough for any double in the writer's format.
constexpr size_t kNumberTextSize = kDecimalTextSize;

// Writes value as the script writer does: a whole value within 32 bits as an
// integer (5, -3, 0), anything else with three decimals (2.500, 1e10 as
// 10000000000.000). A value whose three-decimal form is whole and within 32 bits
// (0.0001, 1.9999) is written as that integer, so that a written file reads back
// and writes again byte for byte. Infinities are written as the largest finite
// value, NaN as 0. Returns the length; out must hold kNumberTextSize bytes.
size_t FormatNumber(double value, char* out);

// A value as messages and reports show it: with the decimals it needs, up to
// six (12, 9.9, 0.34).
std::string ShortNumber(double value);
