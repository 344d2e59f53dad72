// quillmere_probe_tokens FILE: the least any reader of the script format must
// do, as a floor for the reader's speed: the file read whole, every token
// boundary found, the tokens counted (and printed).
#include <cstdio>

#include "bench/probe_input.h"

int main(int argc, char** argv) {
  if (!probe::HasArguments(argc, 2, "quillmere_probe_tokens FILE")) return 2;
  const probe::MappedFile file(argv[1]);
  const unsigned char* p = file.begin();
  const unsigned char* end = file.end();
  size_t tokens = 0;
  for (p = probe::SkipSpace(p); p < end; p = probe::SkipSpace(probe::TokenEnd(p))) ++tokens;
  std::printf("%zu tokens\n", tokens);
  return 0;
}
