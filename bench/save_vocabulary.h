// The words of a generated save: country tags, cultures, pop types, goods, the
// politics words, factory, regiment and ship types, and the names of
// provinces, units and ships. The lists are the save's own small vocabulary; a
// word that stands in a list more than once is drawn that much more often.
// Names are put together from syllables so that every province and ship gets
// one of its own.
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

// A country's politics, one list per key of its block.
extern const std::span<const std::string_view> kGovernments;
extern const std::span<const std::string_view> kNationalValues;
extern const std::span<const std::string_view> kExecutives;
extern const std::span<const std::string_view> kPartyLaws;
extern const std::span<const std::string_view> kUnionLaws;
extern const std::span<const std::string_view> kPressLaws;
extern const std::span<const std::string_view> kVotingLaws;
extern const std::span<const std::string_view> kPartySystems;

extern const std::span<const std::string_view> kFactoryTypes;
extern const std::span<const std::string_view> kRegimentTypes;
extern const std::span<const std::string_view> kRegimentQualities;
extern const std::span<const std::string_view> kShipTypes;

std::string_view Pick(std::span<const std::string_view> words, SaveRandom& random);

// count distinct three-letter tags. The countries of the period come first,
// the great powers leading; random tags, which the tables hardly ever know,
// make up the rest.
std::vector<std::string> CountryTags(size_t count, SaveRandom& random);
std::string PlaceName(SaveRandom& random);
// "1st Army", "22nd Infantry Regiment": ordinal and what follows it.
std::string OrdinalName(int ordinal, std::string_view what);
std::string ShipName(SaveRandom& random);
// "Hotseat 1: Ansel Corwin": a human player's slot name.
std::string PlayerName(SaveRandom& random);

}  // namespace vocabulary
