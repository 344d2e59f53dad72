#include "bench/save_vocabulary.h"

#include <array>
#include <set>

namespace vocabulary {
namespace {

constexpr std::array<std::string_view, 16> kCultureWords = {
    "british", "french",   "north_german", "south_german", "russian",   "castillian",
    "italian", "dutch",    "swedish",      "polish",       "hungarian", "greek",
    "turkish", "japanese", "yankee",       "brazilian"};
constexpr std::array<std::string_view, 6> kReligionWords = {"catholic", "protestant", "orthodox",
                                                            "sunni",    "shinto",     "mahayana"};
constexpr std::array<std::string_view, 10> kPopTypeWords = {
    "farmers",  "labourers", "craftsmen", "clerks",      "artisans",
    "soldiers", "officers",  "clergymen", "capitalists", "aristocrats"};
constexpr std::array<std::string_view, 12> kGoodsWords = {
    "grain", "cattle", "wool",   "cotton", "timber",  "coal",
    "iron",  "fish",   "coffee", "tea",    "sulphur", "precious_metal"};
constexpr std::array<std::string_view, 7> kRegimentWords = {
    "infantry", "cavalry", "artillery", "guard", "engineer", "hussar", "irregular"};
constexpr std::array<std::string_view, 6> kShipWords = {"manowar",  "frigate", "clipper_transport",
                                                        "ironclad", "monitor", "commerce_raider"};
constexpr std::array<std::string_view, 5> kGovernmentWords = {
    "absolute_monarchy", "prussian_constitutionalism", "hms_government", "democracy",
    "presidential_dictatorship"};
constexpr std::array<std::string_view, 3> kNationalValueWords = {"nv_order", "nv_liberty",
                                                                 "nv_equality"};

constexpr std::array<std::string_view, 40> kFamiliarTags = {
    "ENG", "FRA", "PRU", "AUS", "RUS", "TUR", "SPA", "POR", "NET", "BEL",
    "SWE", "DEN", "NOR", "SAR", "SIC", "PAP", "TUS", "BAV", "WUR", "SAX",
    "HAN", "SWI", "GRE", "USA", "MEX", "BRZ", "ARG", "CHL", "PEU", "COL",
    "VNZ", "JAP", "CHI", "KOR", "SIA", "PER", "EGY", "MOR", "ETH", "ZUL"};

constexpr std::array<std::string_view, 24> kSyllables = {
    "bra", "ken", "dor", "wel", "ham", "mar", "sto", "lin", "gar", "ven", "ros", "tal",
    "bur", "fel", "cas", "mun", "ost", "ri",  "an",  "el",  "sil", "vor", "ka",  "ber"};
constexpr std::array<std::string_view, 8> kShipPrefixes = {
    "Resolute", "Valiant", "Dauntless", "Invincible", "Audacious", "Swift", "Intrepid", "Vigilant"};

}  // namespace

const std::span<const std::string_view> kCultures = kCultureWords;
const std::span<const std::string_view> kReligions = kReligionWords;
const std::span<const std::string_view> kPopTypes = kPopTypeWords;
const std::span<const std::string_view> kGoods = kGoodsWords;
const std::span<const std::string_view> kRegimentTypes = kRegimentWords;
const std::span<const std::string_view> kShipTypes = kShipWords;
const std::span<const std::string_view> kGovernments = kGovernmentWords;
const std::span<const std::string_view> kNationalValues = kNationalValueWords;

std::string_view Pick(std::span<const std::string_view> words, SaveRandom& random) {
  return words[random.Below(static_cast<uint32_t>(words.size()))];
}

std::vector<std::string> CountryTags(size_t count, SaveRandom& random) {
  std::vector<std::string> tags;
  std::set<std::string> taken;
  for (std::string_view tag : kFamiliarTags) {
    if (tags.size() == count) return tags;
    tags.emplace_back(tag);
    taken.emplace(tag);
  }
  while (tags.size() < count) {
    std::string tag;
    for (int i = 0; i < 3; ++i) tag.push_back(static_cast<char>('A' + random.Below(26)));
    if (taken.insert(tag).second) tags.push_back(tag);
  }
  return tags;
}

std::string PlaceName(SaveRandom& random) {
  std::string name;
  const uint32_t parts = 2 + random.Below(2);
  for (uint32_t i = 0; i < parts; ++i) name.append(Pick(kSyllables, random));
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

std::string OrdinalName(int ordinal, std::string_view what) {
  const int lastTwo = ordinal % 100;
  const int last = ordinal % 10;
  std::string_view suffix = "th";
  if (lastTwo < 11 || lastTwo > 13) {
    if (last == 1) suffix = "st";
    if (last == 2) suffix = "nd";
    if (last == 3) suffix = "rd";
  }
  return std::to_string(ordinal) + std::string(suffix) + " " + std::string(what);
}

std::string ShipName(SaveRandom& random) {
  std::string name(Pick(kShipPrefixes, random));
  name.push_back(' ');
  name.append(PlaceName(random));
  return name;
}

}  // namespace vocabulary
