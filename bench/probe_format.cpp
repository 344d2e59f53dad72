// quillmere_probe_format IN OUT: the floor of what the writer must do to
// write a file of the size of IN, as a probe beside "quillmere format": the
// file read whole, every number formatted as the writer formats it, the
// other bytes copied, the whole written to OUT.
#include <cstdio>
#include <string>

#include "bench/probe_input.h"
#include "script/number_format.h"

int main(int argc, char** argv) {
  if (!probe::HasArguments(argc, 3, "quillmere_probe_format IN OUT")) return 2;
  const probe::MappedFile file(argv[1]);
  const unsigned char* begin = file.begin();
  const unsigned char* end = file.end();
  std::string out;
  out.reserve(static_cast<size_t>(end - begin) * 9 / 8);
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
  std::FILE* written = std::fopen(argv[2], "wb");
  if (!written) return 1;
  const bool complete = std::fwrite(out.data(), 1, out.size(), written) == out.size();
  return std::fclose(written) == 0 && complete ? 0 : 1;
}
