// The two implementations of the number conversions (script/decimal_text.h),
// the library's floating-point to_chars / from_chars and the portable one on
// snprintf / strtod, run on the same samples (tests/number_samples.h): prints
// how many doubles and texts were compared, how many gave different bytes or
// values, and the time per conversion of each. Exits with 1 on a mismatch.
//   quillmere_bench_numbers [COUNT] [--seed N]      (COUNT of each; 10,000,000)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/number_samples.h"

#ifdef QUILLMERE_LIBRARY_NUMBERS
namespace {

constexpr size_t kBatch = 100'000;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// Counts and times of one conversion over all samples.
struct Figures {
  uint64_t compared = 0;
  uint64_t mismatches = 0;
  double librarySeconds = 0;
  double portableSeconds = 0;

  void Print(const char* what) const {
    std::printf("%-8s %llu compared, %llu mismatches; library %.1f ns, portable %.1f ns each\n", what,
                static_cast<unsigned long long>(compared), static_cast<unsigned long long>(mismatches),
                librarySeconds * 1e9 / static_cast<double>(compared),
                portableSeconds * 1e9 / static_cast<double>(compared));
  }
};

// Every text written, one after the other, with its end.
template <typename Format>
double FormatAll(const std::vector<double>& values, Format format, std::string& texts,
                 std::vector<size_t>& ends) {
  texts.clear();
  ends.clear();
  char text[kDecimalTextSize];
  const Clock::time_point start = Clock::now();
  for (double value : values) {
    texts.append(text, format(value, text));
    ends.push_back(texts.size());
  }
  return Seconds(start);
}

void CompareFormats(const std::vector<double>& values, Figures& figures) {
  std::string library, portable;
  std::vector<size_t> libraryEnds, portableEnds;
  figures.librarySeconds += FormatAll(values, LibraryFixedThreeDecimals, library, libraryEnds);
  figures.portableSeconds += FormatAll(values, PortableFixedThreeDecimals, portable, portableEnds);
  figures.compared += values.size();
  if (library == portable && libraryEnds == portableEnds) return;
  for (size_t i = 0; i < values.size(); ++i) {
    const size_t libraryStart = i == 0 ? 0 : libraryEnds[i - 1];
    const size_t portableStart = i == 0 ? 0 : portableEnds[i - 1];
    if (library.compare(libraryStart, libraryEnds[i] - libraryStart, portable, portableStart,
                        portableEnds[i] - portableStart) != 0 &&
        ++figures.mismatches == 1)
      std::printf("first mismatch: %a\n", values[i]);
  }
}

template <typename Read>
double ReadAll(const std::vector<std::string>& texts, Read read, std::vector<double>& values) {
  values.clear();
  const Clock::time_point start = Clock::now();
  for (const std::string& text : texts) values.push_back(read(text));
  return Seconds(start);
}

void CompareValues(const std::vector<std::string>& texts, Figures& figures) {
  std::vector<double> library, portable;
  figures.librarySeconds += ReadAll(texts, LibraryDecimalValue, library);
  figures.portableSeconds += ReadAll(texts, PortableDecimalValue, portable);
  figures.compared += texts.size();
  for (size_t i = 0; i < texts.size(); ++i)
    if (std::memcmp(&library[i], &portable[i], sizeof(double)) != 0 && ++figures.mismatches == 1)
      std::printf("first mismatch: %s\n", texts[i].c_str());
}

}  // namespace

int main(int argc, char** argv) {
  uint64_t count = 10'000'000;
  uint64_t seed = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--seed" && i + 1 < argc)
      seed = std::strtoull(argv[++i], nullptr, 10);
    else
      count = std::strtoull(arg.c_str(), nullptr, 10);
  }
  NumberSamples samples(seed);
  Figures formats, values;
  std::vector<double> doubles;
  std::vector<std::string> texts;
  for (uint64_t done = 0; done < count; done += kBatch) {
    const size_t n = static_cast<size_t>(std::min<uint64_t>(kBatch, count - done));
    samples.NextDoubles(doubles, n);
    CompareFormats(doubles, formats);
    samples.NextTexts(texts, n);
    CompareValues(texts, values);
  }
  formats.Print("doubles:");
  values.Print("texts:");
  return formats.mismatches + values.mismatches == 0 ? 0 : 1;
}
#else
int main() {
  std::puts("This library has no floating-point to_chars and from_chars: nothing to compare with.");
  return 0;
}
#endif
