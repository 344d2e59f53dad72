// The portable number conversions give the bytes and the values of the
// library's own, on a million samples (tests/number_samples.h): half a million
// doubles and half a million texts, a tenth of that in unoptimised and
// sanitizer builds (bench/number_bench.cpp compares ten million of each).
// Where the library lacks floating-point to_chars and from_chars there is
// nothing to compare with, and the golden cases check the portable
// conversions alone.
#include "tests/number_samples.h"

#ifdef QUILLMERE_LIBRARY_NUMBERS
#include <gtest/gtest.h>

namespace {

#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
constexpr size_t kSamples = 500'000;  // of each kind
#else
constexpr size_t kSamples = 50'000;
#endif
constexpr size_t kBatch = 50'000;

TEST(DecimalText, PortableThreeDecimalsAreTheLibrarys) {
  NumberSamples samples(1);
  std::vector<double> values;
  char library[kDecimalTextSize];
  char portable[kDecimalTextSize];
  for (size_t done = 0; done < kSamples; done += kBatch) {
    samples.NextDoubles(values, kBatch);
    for (double value : values) {
      const std::string_view a(library, LibraryFixedThreeDecimals(value, library));
      const std::string_view b(portable, PortableFixedThreeDecimals(value, portable));
      ASSERT_EQ(a, b) << std::hexfloat << value;
    }
  }
}

TEST(DecimalText, PortableValuesAreTheLibrarys) {
  NumberSamples samples(2);
  std::vector<std::string> texts;
  for (size_t done = 0; done < kSamples; done += kBatch) {
    samples.NextTexts(texts, kBatch);
    for (const std::string& text : texts) {
      const double a = LibraryDecimalValue(text);
      const double b = PortableDecimalValue(text);
      ASSERT_EQ(std::memcmp(&a, &b, sizeof a), 0) << text << ": " << std::hexfloat << a << " against " << b;
    }
  }
}

}  // namespace
#endif
