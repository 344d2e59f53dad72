// quillmere_gen_save: writes a generated save-like file.
//
//   quillmere_gen_save OUT MB [--crlf]
//
// MB is in millions of bytes and may have decimals (0.5 for half a megabyte).
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/save_generator.h"

int main(int argc, char** argv) {
  CLI::App app{"Writes a deterministic save-like file for benchmarks and tests."};
  std::string path;
  double megabytes = 0.0;
  bool crlf = false;
  app.add_option("OUT", path, "the file to write")->required();
  app.add_option("MB", megabytes, "size in millions of bytes")
      ->required()
      ->check(CLI::PositiveNumber);
  app.add_flag("--crlf", crlf, "end lines with CR LF instead of LF");
  CLI11_PARSE(app, argc, argv);

  SaveOptions options;
  options.bytes = static_cast<uint64_t>(megabytes * 1e6);
  options.lineEnd = crlf ? LineEnd::kCrLf : LineEnd::kLf;
  if (!WriteSave(path, options)) {
    std::fprintf(stderr, "Could not write %s\n", path.c_str());
    return 1;
  }
  std::printf("%s: %ju bytes\n", path.c_str(),
              static_cast<uintmax_t>(std::filesystem::file_size(path)));
  return 0;
}
