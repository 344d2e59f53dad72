// A deterministic generator of save-like files for benchmarks and tests.
//
// The file looks like a save game of the 1830s to 1920s: a "header" block (with
// its "pop" entry and the "selectable" tag list), a world market, about 2,500
// "province" blocks with their pops, and about 200 "country" blocks with
// province and technology lists, politics, relations, armies and navies.
// Comments, tabs, both spacings of "=", decimals and negative numbers occur
// throughout. A file is grown to the requested size by giving provinces more
// pops and countries more units, never more provinces or countries; below about
// a megabyte the numbers of provinces and countries shrink as well.
//
// The same options give the same bytes on every platform.
#pragma once

#include <cstdint>
#include <string>

#include "bench/save_text.h"

struct SaveOptions {
  uint64_t bytes = 40'000'000;
  LineEnd lineEnd = LineEnd::kLf;
};

// The whole file; its size is within about one pop block of options.bytes
// unless the fixed part of the file alone is larger.
std::string GenerateSave(const SaveOptions& options);
// Generates the file and writes it to path; false when it cannot be written.
bool WriteSave(const std::string& path, const SaveOptions& options);
