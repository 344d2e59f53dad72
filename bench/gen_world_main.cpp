// quillmere_gen_world: writes the bundled whole-world example save and its plan.
//
//   quillmere_gen_world SAVE PLAN
//
// The two files are committed as examples/world.kst and examples/world-plan.txt;
// the test WorldExample.MatchesGenerator checks that they are what it writes.
#include <cstdio>
#include <fstream>
#include <string>

#include "bench/world_save.h"

namespace {

bool Write(const char* path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  if (file) return true;
  std::fprintf(stderr, "Could not write %s\n", path);
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "Usage: %s SAVE PLAN\n", argv[0]);
    return 2;
  }
  const WorldExample world = GenerateWorldExample();
  if (!Write(argv[1], world.save) || !Write(argv[2], world.plan)) return 1;
  std::printf("%s: %zu bytes\n%s: %zu bytes\n", argv[1], world.save.size(), argv[2], world.plan.size());
  return 0;
}
