// The words of a generated save: country tags, cultures, pop and unit types,
// goods, and the names of provinces, units and ships. The lists are the save's
// own small vocabulary; names are put together from syllables so that every
// province and ship gets one of its own.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "bench/save_random.h"

namespace vocabulary {

extern const std::span<const std::string_view> kCultures;
extern const std::span<const std::string_view> kReligions;
extern const std::span<const std::string_view> kPopTypes;
extern const std::span<const std::string_view> kGoods;
extern const std::span<const std::string_view> kRegimentTypes;
extern const std::span<const std::string_view> kShipTypes;
extern const std::span<const std::string_view> kGovernments;
extern const std::span<const std::string_view> kNationalValues;

std::string_view Pick(std::span<const std::string_view> words, SaveRandom& random);

// count distinct three-letter tags, the familiar ones first.
std::vector<std::string> CountryTags(size_t count, SaveRandom& random);
std::string PlaceName(SaveRandom& random);
// "1st Army", "22nd Infantry Regiment": ordinal and what follows it.
std::string OrdinalName(int ordinal, std::string_view what);
std::string ShipName(SaveRandom& random);

}  // namespace vocabulary
