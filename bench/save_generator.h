// A deterministic generator of source save games for benchmarks and tests.
//
// The file is a full save of the 1830s to 1920s as the conversion reads it,
// with everything else a save holds around that: a "header" block (its "pop"
// entry, the "selectable" tag list and the players' slots), a world market,
// about 2,500 "province" blocks and about 200 "country" blocks.
//
// Provinces carry the source ids of the built-in province table, with a few
// ids the table does not map (sea and wasteland); each has its railroad level,
// pops with their sizes, and some carry claims. Countries bear the tags of the
// period, most of which Countries.txt converts or merges and some of which it
// drops; each owns a run of neighbouring provinces, so that the provinces that
// several source provinces make up are contested where runs meet. A country
// block holds its politics words, badboy, capital, manpower, convoys, province
// lists, technologies in every thousand-range, states with factories in its
// own provinces, relations with other countries, land and naval units whose
// regiments and ships are of the types the conversion knows (and some it does
// not), and for some countries an overlord.
//
// Comments, tabs, both spacings of "=", decimals and negative numbers occur
// throughout. A file is grown to the requested size by giving provinces more
// pops and countries more units, never more provinces or countries; below
// about five megabytes the numbers of provinces and countries shrink as well.
//
// The same options give the same bytes on every platform. Without forces the
// file is the same but for the land and naval units, which are left out.
#pragma once

#include <cstdint>
#include <string>

#include "bench/save_text.h"

struct SaveOptions {
  uint64_t bytes = 40'000'000;
  LineEnd lineEnd = LineEnd::kLf;
  bool forces = true;  // the countries' land and naval units
  // Countries also hold histories in the shape of the games' own late saves
  // (bench/save_history.h); off, the file is the same as ever.
  bool gameShape = false;
};

// The whole file; with forces, its size is within about one pop block of
// options.bytes unless the fixed part of the file alone is larger.
std::string GenerateSave(const SaveOptions& options);
// Generates the file and writes it to path; false when it cannot be written.
bool WriteSave(const std::string& path, const SaveOptions& options);
