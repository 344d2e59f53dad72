// quillmere_gen_save: writes a generated source save game.
//
//   quillmere_gen_save OUT MB [--crlf] [--no-forces] [--game-shape]
//
// MB is in millions of bytes and may have decimals (0.5 for half a megabyte).
// --no-forces leaves out the land and naval units and nothing else, so the
// file is smaller than MB. --game-shape gives countries histories in the shape
// of the games' own late saves (dates in quotes, decimals nearly everywhere,
// thousands of distinct keys, deep nesting, long word lists).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/save_generator.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes a deterministic source save game for benchmarks and tests."};
  std::string path;
  double megabytes = 0.0;
  bool crlf = false;
  bool noForces = false;
  bool gameShape = false;
  app.add_option("OUT", path, "the file to write")->required();
  app.add_option("MB", megabytes, "size in millions of bytes")
      ->required()
      ->check(CLI::PositiveNumber);
  app.add_flag("--crlf", crlf, "end lines with CR LF instead of LF");
  app.add_flag("--no-forces", noForces, "leave out the land and naval units");
  app.add_flag("--game-shape", gameShape, "give countries histories in the shape of late saves");
  CLI11_PARSE(app, argc, argv);

  SaveOptions options;
  options.bytes = static_cast<uint64_t>(megabytes * 1e6);
  options.lineEnd = crlf ? LineEnd::kCrLf : LineEnd::kLf;
  options.forces = !noForces;
  options.gameShape = gameShape;
  if (!WriteSave(path, options)) {
    std::fprintf(stderr, "Could not write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s: %ju bytes\n", path.c_str(),
              static_cast<uintmax_t>(std::filesystem::file_size(path)));
  return 0;
}
