// quillmere_probe_format IN OUT: the floor of what the writer must do to
// write a file of the size of IN, as a probe beside "quillmere format": the
// file read whole, every number formatted as the writer formats it, the
// other bytes copied, the whole written to OUT.
#include <cstdio>
#include <string>

#include "bench/probe_input.h"
#include "script/number_format.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: quillmere_probe_format IN OUT\n");
    return 2;
  }
  const std::string bytes = probe::ReadWholeFile(argv[1]);
  const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = begin + bytes.size() - 1;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 8);
  const unsigned char* copied = begin;  // bytes before this are in out
  for (const unsigned char* p = begin; p < end;) {
    if (probe::kClasses[*p] != probe::kDigit || (p > begin && probe::InWord(p[-1]))) {
      ++p;
      continue;
    }
    const unsigned char* q = p;
    while (probe::kClasses[*q] == probe::kDigit || *q == '.') ++q;
    out.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(p - copied));
    char text[kNumberTextSize];
    const double value = probe::NumberAt(p, q);
    out.append(text, FormatNumber(value, text));
    p = copied = q;
  }
  out.append(reinterpret_cast<const char*>(copied), static_cast<size_t>(end - copied));
  std::FILE* file = std::fopen(argv[2], "wb");
  if (!file) return 1;
  const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
  return std::fclose(file) == 0 && written ? 0 : 1;
}
