// The parts that the generated shapes share: a save's header and a plain country.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bench/save_text.h"

// A header with the world's pop, the selectable tags and ENG as the human player.
void WriteShapeHeader(SaveText& text);
// A country with its tag, capital and owned and national provinces (source ids).
void WriteShapeCountry(SaveText& text, std::string_view tag, int64_t capital,
                       const std::vector<int64_t>& owned);
// The same as a whole "country" block.
void WriteShapeCountryBlock(SaveText& text, std::string_view tag, int64_t capital,
                            const std::vector<int64_t>& owned);
// ENG and FRA on four source provinces: nearly every target province is left
// without an owner.
std::string FewCountriesSave();
