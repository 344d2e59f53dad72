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

constexpr std::array<std::string_view, 8> kGovernmentWords = {
    "monarchy",  "monarchy",  "constitutional_monarchy",   "constitutional_monarchy",
    "democracy", "democracy", "presidential_dictatorship", "proletarian_dictatorship"};
constexpr std::array<std::string_view, 3> kNationalValueWords = {"order", "liberty", "equality"};
constexpr std::array<std::string_view, 2> kExecutiveWords = {"parliamentarism", "laws_by_decree"};
constexpr std::array<std::string_view, 3> kPartyLawWords = {"none_allowed", "right_to_ban",
                                                            "all_allowed"};
constexpr std::array<std::string_view, 4> kUnionLawWords = {"none", "non_socialist", "socialist",
                                                            "all"};
constexpr std::array<std::string_view, 3> kPressLawWords = {"state_press", "censored_press",
                                                            "free_press"};
constexpr std::array<std::string_view, 4> kVotingLawWords = {"none", "landed", "wealth",
                                                             "suffrage"};
constexpr std::array<std::string_view, 3> kPartySystemWords = {"one_party", "two_party",
                                                               "multi_party"};

constexpr std::array<std::string_view, 20> kFactoryWords = {
    "steel_factory",         "ammunition_factory",      "small_arms_factory",
    "regular_clothes_factory", "machine_parts_factory",  "electric_gear_factory",
    "luxury_furniture_factory", "luxury_clothes_factory", "explosives_factory",
    "fuel_refinery",         "aeroplane_factory",       "artillery_factory",
    "automobile_factory",    "barrel_factory",          "steamer_shipyard",
    "winery",                "lumber_mill",             "glass_factory",
    "liquor_distillery",     "paper_mill"};
constexpr std::array<std::string_view, 12> kRegimentWords = {
    "infantry", "infantry",  "infantry", "infantry",  "infantry", "cavalry",
    "cavalry",  "artillery", "irregular", "colonial", "engineers", "barrel"};
constexpr std::array<std::string_view, 7> kQualityWords = {
    "regular", "regular", "regular", "regular", "regular", "veteran", "colonial"};
constexpr std::array<std::string_view, 12> kShipWords = {
    "dreadnought", "battleship",        "cruiser",           "cruiser",
    "heavy_cruiser", "submarine",       "destroyer",         "destroyer",
    "steamer_transport", "steamer_transport", "frigate",     "manowar"};

// The countries of the period as a save lists them. Most have a row in one of
// the two tables of Countries.txt; a few have none and are dropped. Some
// tables' targets are left out (Romania, South Africa, Saudi Arabia, Poland),
// so that the states that merge into them found them.
constexpr std::array<std::string_view, 140> kPeriodTags = {
    "ENG", "FRA", "PRU", "RUS", "AUS", "TUR", "USA", "SPA", "JAP", "SAR", "CHI", "BRA",
    "MEX", "POR", "HOL", "SWE", "PER", "EGY", "ARG", "BAV", "SIC", "DEN", "BEL", "GRE",
    "SWI", "NOR", "SAX", "PAP", "TUS", "HAN", "WUR", "CAN", "COL", "PEU", "CHL", "VEN",
    "SIA", "KOR", "ETH", "MOR", "ALG", "TUN", "PUN", "HYD", "BUR", "ANN", "KHI", "BUK",
    "KOK", "SER", "MNT", "MOL", "WAL", "CRA", "BAD", "HES", "HEK", "NAS", "BRU", "OLD",
    "MEC", "ANH", "LIP", "FRK", "HAM", "BRE", "LUB", "MOD", "PRM", "LUC", "TRI", "CIR",
    "SIN", "AWA", "MYS", "ASH", "MAD", "CAM", "ACH", "HEJ", "TRA", "ORA", "NAT", "ZUL",
    "ECU", "BOL", "URU", "PAR", "GUA", "HON", "SAL", "NIC", "COS", "HAI", "DOM", "LIB",
    "AFG", "OMN", "YEM", "NEP", "BHU", "TIB", "LUX", "CSA", "HAW", "KAS", "SOK", "MAS",
    "ORE", "TEX", "DAI", "LAN", "RYU", "JOH", "BRN", "KUK", "ITA", "GER", "SOV", "NGF",
    "CUB", "PAN", "PHI", "IRE", "FIN", "EST", "LAT", "LIT", "ALB", "BUL", "HUN", "CZE",
    "AST", "NZL", "YUC", "BOR", "SUL", "SAM", "DAR", "WAD"};

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
const std::span<const std::string_view> kGovernments = kGovernmentWords;
const std::span<const std::string_view> kNationalValues = kNationalValueWords;
const std::span<const std::string_view> kExecutives = kExecutiveWords;
const std::span<const std::string_view> kPartyLaws = kPartyLawWords;
const std::span<const std::string_view> kUnionLaws = kUnionLawWords;
const std::span<const std::string_view> kPressLaws = kPressLawWords;
const std::span<const std::string_view> kVotingLaws = kVotingLawWords;
const std::span<const std::string_view> kPartySystems = kPartySystemWords;
const std::span<const std::string_view> kFactoryTypes = kFactoryWords;
const std::span<const std::string_view> kRegimentTypes = kRegimentWords;
const std::span<const std::string_view> kRegimentQualities = kQualityWords;
const std::span<const std::string_view> kShipTypes = kShipWords;

std::string_view Pick(std::span<const std::string_view> words, SaveRandom& random) {
  return words[random.Below(static_cast<uint32_t>(words.size()))];
}

std::vector<std::string> CountryTags(size_t count, SaveRandom& random) {
  std::vector<std::string> tags;
  std::set<std::string> taken;
  for (std::string_view tag : kPeriodTags) {
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

std::string PlayerName(SaveRandom& random) {
  return "Hotseat 1: " + PlaceName(random) + " " + PlaceName(random);
}

}  // namespace vocabulary
