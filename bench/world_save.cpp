#include "bench/world_save.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <map>
#include <set>
#include <string_view>
#include <vector>

#include "bench/save_random.h"
#include "bench/save_vocabulary.h"
#include "refdata/province_map.h"

namespace {

constexpr uint64_t kSeed = 0x0A7E'5A17'1922'0101ull;
constexpr ProvinceId kMainMarker = 3003;

// ---------------------------------------------------------------------------
// Politics: the eight words of a country block.
// ---------------------------------------------------------------------------

struct Politics {
  std::string_view government, nationalValue, executive, parties, unions, press, voting,
      partySystem;
};

// A parliamentary monarchy (democratic 10): the United Kingdom leads "allies".
constexpr Politics kParliamentary{"constitutional_monarchy", "liberty",  "parliamentarism",
                                  "all_allowed",             "non_socialist", "free_press",
                                  "wealth",                  "two_party"};
// A parliamentary republic (democratic 10).
constexpr Politics kRepublic{"democracy",   "equality", "parliamentarism", "all_allowed",
                             "all",         "free_press", "suffrage",      "multi_party"};
// A monarchy with a constitution that the crown rules by decree (democratic 4).
constexpr Politics kConstitutional{"constitutional_monarchy", "order",       "laws_by_decree",
                                   "right_to_ban",            "non_socialist", "censored_press",
                                   "landed",                  "two_party"};
// An absolute monarchy (democratic 1, political left 1).
constexpr Politics kAbsolute{"monarchy",    "order", "laws_by_decree", "none_allowed",
                             "none",        "state_press", "none",     "one_party"};
// A right-wing dictatorship (democratic 1, political left 1): Germany leads "axis".
constexpr Politics kDictatorship{"presidential_dictatorship", "order",       "laws_by_decree",
                                 "none_allowed",              "none",        "state_press",
                                 "none",                      "one_party"};
// A proletarian dictatorship (democratic 1, political left 10): Russia leads "comintern".
constexpr Politics kProletarian{"proletarian_dictatorship", "equality",    "laws_by_decree",
                                "none_allowed",             "socialist",   "state_press",
                                "none",                     "one_party"};
// A presidential republic of caudillos (democratic 5).
constexpr Politics kCaudillo{"democracy",  "order",       "laws_by_decree", "right_to_ban",
                             "non_socialist", "censored_press", "landed",   "two_party"};

// ---------------------------------------------------------------------------
// Countries, in the order of the save: the great powers first.
// ---------------------------------------------------------------------------

enum class Fate { kConverts, kMerges, kDropped };

struct CountryRow {
  std::string_view tag;
  std::string_view note;  // the comment above its block
  const Politics* politics;
  int advancement;  // 0 to 10
  Fate fate;
  std::string_view overlordKey = {};  // "dominion" or "satellite"
  std::string_view overlord = {};     // as the save writes it
  int fleets = 0;
};

constexpr CountryRow kCountries[] = {
    {"ENG", "United Kingdom: the player; a parliamentary monarchy that leads \"allies\"",
     &kParliamentary, 10, Fate::kConverts, {}, {}, 5},
    {"PRU", "Prussia: becomes Germany; a right-wing dictatorship that leads \"axis\"",
     &kDictatorship, 10, Fate::kConverts, {}, {}, 3},
    {"RUS", "Russia: becomes the Soviet Union; a proletarian dictatorship that leads \"comintern\"",
     &kProletarian, 8, Fate::kConverts, {}, {}, 3},
    {"FRA", "France: a parliamentary republic with an empire in Africa and Indochina", &kRepublic,
     10, Fate::kConverts, {}, {}, 4},
    {"AUS", "Austria-Hungary", &kConstitutional, 8, Fate::kConverts, {}, {}, 2},
    {"TUR", "the Ottoman Empire: becomes Turkey", &kAbsolute, 5, Fate::kConverts, {}, {}, 1},
    {"USA", "the United States: a republic, kept out of \"allies\" by the conversion", &kRepublic, 9,
     Fate::kConverts, {}, {}, 3},
    {"JAP", "Japan", &kConstitutional, 8, Fate::kConverts, {}, {}, 3},
    {"SAR", "Piedmont-Sardinia: becomes Italy", &kConstitutional, 8, Fate::kConverts, {}, {}, 2},
    {"SPA", "Spain", &kConstitutional, 6, Fate::kConverts, {}, {}, 1},
    {"CHI", "China", &kCaudillo, 3, Fate::kConverts, {}, {}, 1},
    {"HOL", "the Netherlands, with the East Indies", &kParliamentary, 8, Fate::kConverts, {}, {}, 2},
    {"BEL", "Belgium, with the Congo", &kParliamentary, 8, Fate::kConverts, {}, {}, 0},
    {"SWE", "Sweden", &kParliamentary, 8, Fate::kConverts, {}, {}, 1},
    {"NOR", "Norway", &kParliamentary, 7, Fate::kConverts, {}, {}, 1},
    {"DEN", "Denmark", &kParliamentary, 7, Fate::kConverts, {}, {}, 1},
    {"POR", "Portugal: a satellite of the United Kingdom (the save writes the tag in lower case)",
     &kConstitutional, 5, Fate::kConverts, "satellite", "eng", 1},
    {"SWI", "Switzerland", &kRepublic, 8, Fate::kConverts},
    {"GRE", "Greece", &kConstitutional, 5, Fate::kConverts, {}, {}, 1},
    {"SER", "Serbia: becomes Yugoslavia", &kConstitutional, 5, Fate::kConverts},
    {"ROM", "Romania", &kConstitutional, 5, Fate::kConverts},
    {"BUL", "Bulgaria", &kConstitutional, 5, Fate::kConverts},
    {"PER", "Persia: a satellite of Russia", &kAbsolute, 3, Fate::kConverts, "satellite", "rus"},
    {"AFG", "Afghanistan", &kAbsolute, 2, Fate::kConverts},
    {"NEJ", "Nejd: becomes Saudi Arabia", &kAbsolute, 2, Fate::kConverts},
    {"YEM", "Yemen", &kAbsolute, 1, Fate::kConverts},
    {"TIB", "Tibet", &kAbsolute, 1, Fate::kConverts},
    {"SIA", "Siam", &kAbsolute, 4, Fate::kConverts, {}, {}, 1},
    {"EGY", "Egypt: a satellite of the United Kingdom", &kConstitutional, 4, Fate::kConverts,
     "satellite", "eng"},
    {"ETH", "Abyssinia", &kAbsolute, 2, Fate::kConverts},
    {"CAN", "Canada: a dominion of the United Kingdom (joins \"allies\" with it)", &kParliamentary,
     8, Fate::kConverts, "dominion", "ENG", 1},
    {"AST", "Australia: a dominion of the United Kingdom", &kParliamentary, 8, Fate::kConverts,
     "dominion", "ENG", 1},
    {"NZL", "New Zealand: a dominion of the United Kingdom", &kParliamentary, 8, Fate::kConverts,
     "dominion", "ENG"},
    {"MEX", "Mexico", &kCaudillo, 5, Fate::kConverts},
    {"COL", "Colombia", &kCaudillo, 4, Fate::kConverts},
    {"VEN", "Venezuela", &kCaudillo, 4, Fate::kConverts},
    {"PEU", "Peru: PRU is Peru's tag in the scenario", &kCaudillo, 4, Fate::kConverts, {}, {}, 1},
    {"CHL", "Chile", &kRepublic, 6, Fate::kConverts, {}, {}, 1},
    {"ARG", "Argentina", &kRepublic, 6, Fate::kConverts, {}, {}, 1},
    {"BRA", "Brazil", &kRepublic, 5, Fate::kConverts, {}, {}, 1},
    {"HAN", "Hanover: merges into Germany", &kConstitutional, 8, Fate::kMerges},
    {"SAX", "Saxony: merges into Germany", &kConstitutional, 8, Fate::kMerges},
    {"BAV", "Bavaria: merges into Germany", &kConstitutional, 8, Fate::kMerges},
    {"TUS", "Tuscany: merges into the Italy that Sardinia becomes", &kConstitutional, 6,
     Fate::kMerges},
    {"SIC", "the Two Sicilies: merges into Italy", &kAbsolute, 5, Fate::kMerges, {}, {}, 1},
    {"TRI", "Tripoli: merges into Italy", &kAbsolute, 2, Fate::kMerges},
    {"KHI", "Khiva: merges into the Soviet Union", &kAbsolute, 1, Fate::kMerges},
    {"BUK", "Bukhara: merges into the Soviet Union", &kAbsolute, 1, Fate::kMerges},
    {"HEJ", "the Hejaz: merges into Saudi Arabia", &kAbsolute, 1, Fate::kMerges},
    {"PUN", "the Punjab: merges into the United Kingdom", &kAbsolute, 3, Fate::kMerges},
    {"HYD", "Hyderabad: merges into the United Kingdom", &kAbsolute, 3, Fate::kMerges},
    {"BUR", "Burma: merges into the United Kingdom", &kAbsolute, 2, Fate::kMerges},
    {"KOR", "Korea: merges into Japan", &kAbsolute, 3, Fate::kMerges},
    {"ALG", "Algiers: merges into France", &kAbsolute, 2, Fate::kMerges},
    {"MOR", "Morocco: merges into France", &kAbsolute, 2, Fate::kMerges},
    {"MAD", "Madagascar: merges into France", &kAbsolute, 1, Fate::kMerges},
    {"TRA", "the Transvaal: no South Africa exists yet, so it founds it", &kRepublic, 5,
     Fate::kMerges},
    {"ORA", "the Orange Free State: joins the South Africa that the Transvaal founds", &kRepublic, 5,
     Fate::kMerges},
    {"SOK", "Sokoto: no row in Countries.txt, dropped; its emirates are parts of British provinces",
     &kAbsolute, 1, Fate::kDropped},
    {"WAD", "Wadai: no row in Countries.txt, dropped; its land lies within French provinces",
     &kAbsolute, 1, Fate::kDropped},
    {"YUC", "Yucatan: no row in Countries.txt, dropped; rebels in arms without a province",
     &kCaudillo, 2, Fate::kDropped},
    {"RYU", "Ryukyu: no row in Countries.txt, dropped; a fleet without a province", &kAbsolute, 2,
     Fate::kDropped, {}, {}, 1},
};

// ---------------------------------------------------------------------------
// Regions, walked along the source ids: a holder's run of provinces, or an
// uncolonised one that the plan gives to planTag.
// ---------------------------------------------------------------------------

struct RegionRow {
  std::string_view holder;  // empty: nobody owns it
  int rows;                 // source provinces; those of held regions are scaled to fill the map
  std::string_view name;
  std::string_view planTag = {};  // an empty region: who receives what it leaves unowned
  std::string_view guest = {};    // a dropped country holding secondary parts of merged provinces
};

constexpr RegionRow kRegions[] = {
    {"SWE", 22, "Sweden"},
    {"NOR", 16, "Norway"},
    {"DEN", 8, "Denmark and Iceland"},
    {"ENG", 34, "England, Scotland and Wales"},
    {"ENG", 10, "Ireland"},
    {"HOL", 9, "the Netherlands"},
    {"BEL", 7, "Belgium"},
    {"FRA", 48, "France"},
    {"SPA", 36, "Spain"},
    {"POR", 12, "Portugal"},
    {"PRU", 52, "Prussia"},
    {"HAN", 8, "Hanover"},
    {"SAX", 7, "Saxony"},
    {"BAV", 14, "Bavaria, Wurttemberg and Baden"},
    {"SWI", 6, "Switzerland"},
    {"SAR", 16, "Piedmont, Lombardy and Sardinia"},
    {"TUS", 10, "Tuscany and the Romagna"},
    {"SIC", 15, "the Two Sicilies"},
    {"AUS", 60, "Austria-Hungary"},
    {"SER", 11, "Serbia and Montenegro"},
    {"ROM", 13, "Romania"},
    {"BUL", 9, "Bulgaria"},
    {"GRE", 11, "Greece"},
    {"RUS", 130, "European Russia and Finland"},
    {"RUS", 40, "the Caucasus and the Volga"},
    {"RUS", 60, "Siberia"},
    {"", 3, "the Taymyr tundra", "SOV"},
    {"RUS", 25, "the Russian Far East"},
    {"", 2, "the Chukotka coast", "SOV"},
    {"KHI", 8, "Khiva"},
    {"", 2, "the Karakum desert", "SOV"},
    {"BUK", 12, "Bukhara and Kokand"},
    {"TUR", 62, "Anatolia and the Levant"},
    {"TUR", 15, "Mesopotamia"},
    {"NEJ", 10, "Nejd"},
    {"HEJ", 7, "the Hejaz"},
    {"", 3, "the Rub' al Khali", "SAU"},
    {"YEM", 8, "Yemen and Oman"},
    {"PER", 26, "Persia"},
    {"", 2, "the Lut desert", "PER"},
    {"AFG", 12, "Afghanistan"},
    {"PUN", 10, "the Punjab"},
    {"ENG", 85, "British India"},
    {"HYD", 9, "Hyderabad"},
    {"TIB", 16, "Tibet, Nepal and Bhutan"},
    {"", 2, "the Changtang plateau", "TIB"},
    {"BUR", 9, "Burma"},
    {"SIA", 16, "Siam"},
    {"FRA", 20, "French Indochina"},
    {"CHI", 120, "China"},
    {"", 3, "the Taklamakan desert", "CHI"},
    {"", 2, "the Gobi desert", "CHI"},
    {"KOR", 10, "Korea"},
    {"JAP", 28, "Japan and Formosa"},
    {"USA", 10, "the Philippines"},
    {"HOL", 30, "the Dutch East Indies"},
    {"", 3, "the New Guinea highlands", "HOL"},
    {"AST", 34, "Australia"},
    {"", 3, "the Australian outback", "AST"},
    {"NZL", 7, "New Zealand"},
    {"EGY", 18, "Egypt and the Sudan"},
    {"", 2, "the Libyan desert", "ITA"},
    {"TRI", 6, "Tripolitania"},
    {"ALG", 14, "Algiers and Tunis"},
    {"MOR", 12, "Morocco"},
    {"", 4, "the Sahara interior", "FRA"},
    {"FRA", 36, "French West Africa"},
    {"ENG", 28, "British West Africa", {}, "SOK"},
    {"PRU", 12, "Kamerun and German East Africa"},
    {"FRA", 14, "French Equatorial Africa", {}, "WAD"},
    {"", 3, "the Congo basin", "BEL"},
    {"BEL", 18, "the Belgian Congo"},
    {"ETH", 14, "Abyssinia"},
    {"ENG", 18, "British East Africa"},
    {"POR", 14, "Angola and Mozambique"},
    {"", 2, "the Kalahari", "SAF"},
    {"TRA", 7, "the Transvaal"},
    {"ORA", 5, "the Orange Free State"},
    {"ENG", 12, "the Cape Colony and Natal"},
    {"MAD", 6, "Madagascar"},
    {"CAN", 55, "Canada"},
    {"", 3, "the Canadian Arctic islands", "CAN"},
    {"USA", 110, "the United States"},
    {"MEX", 36, "Mexico and Central America"},
    {"COL", 15, "Colombia"},
    {"VEN", 12, "Venezuela"},
    {"PEU", 20, "Peru and Bolivia"},
    {"", 4, "the Amazon interior", "BRA"},
    {"", 2, "the Gran Chaco", "ARG"},
    {"CHL", 12, "Chile"},
    {"ARG", 36, "Argentina, Uruguay and Paraguay"},
    {"", 3, "the Patagonian steppe", "ARG"},
    {"BRA", 70, "Brazil"},
};

// Claims: the claimant, the region, the place of the province among the
// region's source provinces, and whether the province has nationalism (which
// makes the claim void).
struct ClaimRow {
  std::string_view claimant;
  std::string_view region;
  size_t index;
  bool nationalism;
  std::string_view note;
};

constexpr ClaimRow kClaims[] = {
    {"FRA", "Prussia", 0, true, "Alsace: France's claim is void where nationalism runs high"},
    {"FRA", "Prussia", 1, true, "Lorraine: void as well"},
    {"SAR", "Austria-Hungary", 3, false, "the Trentino: Austria keeps it, the claim decides nothing"},
    {"SER", "Austria-Hungary", 40, true, "Bosnia: void"},
    {"GRE", "Anatolia and the Levant", 2, false, "Smyrna: the Ottomans keep it"},
    {"ARG", "the Patagonian steppe", 0, false, "nobody owns it: Argentina's claim gives it to her"},
    {"CHL", "the Patagonian steppe", 2, true, "void: it stays without an owner"},
    {"WAD", "the Sahara interior", 0, false, "Wadai is dropped: it stays without an owner"},
    {"ENG", "the Kalahari", 0, true, "void: it stays without an owner"},
};

// Provinces whose ids the province table does not map: seas and lakes.
struct UnmappedRow {
  ProvinceId id;
  std::string_view name;
  std::string_view owner;  // empty: nobody's
};

constexpr UnmappedRow kUnmapped[] = {
    {11, "Lake Ladoga", "RUS"},        {23, "Lake Vanern", "SWE"},
    {27, "the Zuiderzee", "HOL"},      {2860, "the North Sea", ""},
    {2861, "Heligoland", "ENG"},       {2862, "the Sea of Japan", ""},
    {2863, "the Caribbean Sea", ""},
};

// ---------------------------------------------------------------------------
// Text in the layout of examples/example.kst.
// ---------------------------------------------------------------------------

std::string Whole(int64_t value) {
  char digits[24];
  return std::string(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// 2250 is written 2.25, 85000 is written 85, -600 is written -0.6.
std::string Fixed(int64_t thousandths) {
  std::string text = thousandths < 0 ? "-" : "";
  const int64_t magnitude = thousandths < 0 ? -thousandths : thousandths;
  text += Whole(magnitude / 1000);
  int64_t fraction = magnitude % 1000;
  if (fraction == 0) return text;
  std::string decimals = {static_cast<char>('0' + fraction / 100),
                          static_cast<char>('0' + fraction / 10 % 10),
                          static_cast<char>('0' + fraction % 10)};
  while (decimals.back() == '0') decimals.pop_back();
  return text + "." + decimals;
}

// Words of a list, broken into lines of at most width characters after indent.
std::string WrappedList(const std::vector<std::string>& words, std::string_view indent,
                        size_t width = 88) {
  std::string text;
  std::string line;
  for (const std::string& word : words) {
    if (!line.empty() && line.size() + 1 + word.size() > width) {
      text += std::string(indent) + line + "\n";
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word;
  }
  if (!line.empty()) text += std::string(indent) + line + "\n";
  return text;
}

// "1st", "22nd", "113th".
std::string Ordinal(int n) {
  std::string text = vocabulary::OrdinalName(n, "");
  text.pop_back();  // the space before the empty name
  return text;
}

// ---------------------------------------------------------------------------
// The world.
// ---------------------------------------------------------------------------

struct Province {
  ProvinceId id = 0;
  size_t region = 0;
  int owner = -1;  // country index
  const ProvinceMap::TargetList* targets = nullptr;
  int64_t railroad = 0;  // thousandths
  std::vector<std::pair<std::string_view, int64_t>> pops;  // type, size in thousandths
  const ClaimRow* claim = nullptr;
};

class WorldGenerator {
 public:
  WorldGenerator();
  WorldExample Run();

 private:
  void LayOutRegions();
  void SeatGuests();
  void PlaceClaims();
  void MakePopulation();
  std::vector<ProvinceId> MissingTargets(const std::vector<size_t>& provinces,
                                         std::set<ProvinceId>& listed) const;

  std::string Header() const;
  std::string ProvinceBlocks() const;
  std::string CountryBlock(size_t c);
  std::string States(size_t c, const std::vector<ProvinceId>& owned);
  std::string Relations(size_t c);
  std::string Armies(size_t c, const std::vector<ProvinceId>& mapped, ProvinceId capital);
  std::string Fleets(size_t c, const std::vector<ProvinceId>& mapped);
  std::string Plan() const;

  int CountryIndex(std::string_view tag) const;
  bool Reaches(int owner) const { return owner >= 0 && kCountries[owner].fate != Fate::kDropped; }

  SaveRandom random_{kSeed};
  ProvinceMap map_;
  std::vector<Province> provinces_;                    // in source id order
  std::vector<std::vector<size_t>> regionProvinces_;  // per region: indices into provinces_
  int64_t totalPop_ = 0;
};

WorldGenerator::WorldGenerator() {
  map_.Build();
  map_.ForEach([this](ProvinceId id, const ProvinceMap::TargetList& targets) {
    Province province;
    province.id = id;
    province.targets = &targets;
    provinces_.push_back(province);
  });
}

int WorldGenerator::CountryIndex(std::string_view tag) const {
  for (size_t c = 0; c < std::size(kCountries); ++c)
    if (kCountries[c].tag == tag) return static_cast<int>(c);
  return -1;
}

// Held regions share the map in proportion to their rows. An uncolonised region
// takes its rows as whole scenario provinces: it starts where a merged province
// ends (the rows before go to the region before it) and takes that many runs of
// rows, each a province of its own or all the contributors to one merged
// province. The last region takes what is left.
void WorldGenerator::LayOutRegions() {
  const size_t total = provinces_.size();
  const auto startsUnit = [this](size_t p) {
    if (p == 0) return true;
    const ProvinceMap::TargetList& before = *provinces_[p - 1].targets;
    const ProvinceMap::TargetList& here = *provinces_[p].targets;
    return !(ProvinceMap::IsMergeMarker(before) && ProvinceMap::IsMergeMarker(here) &&
             before.front() == here.front());
  };
  int64_t emptyRows = 0;
  int64_t heldWeight = 0;
  for (const RegionRow& region : kRegions)
    (region.holder.empty() ? emptyRows : heldWeight) += region.rows;
  const int64_t heldRows = static_cast<int64_t>(total) - emptyRows;
  regionProvinces_.assign(std::size(kRegions), {});
  size_t next = 0;
  int64_t heldBefore = 0;
  const auto take = [&](size_t r) {
    provinces_[next].region = r;
    provinces_[next].owner = kRegions[r].holder.empty() ? -1 : CountryIndex(kRegions[r].holder);
    regionProvinces_[r].push_back(next++);
  };
  for (size_t r = 0; r < std::size(kRegions) && next < total; ++r) {
    const RegionRow& region = kRegions[r];
    if (r + 1 == std::size(kRegions)) {
      while (next < total) take(r);
    } else if (region.holder.empty()) {
      while (next < total && !startsUnit(next)) take(r - 1);
      for (int units = 0; units < region.rows && next < total; ++units) {
        take(r);
        while (next < total && !startsUnit(next)) take(r);
      }
    } else {
      const int64_t start = heldBefore * heldRows / heldWeight;
      heldBefore += region.rows;
      const int64_t count = heldBefore * heldRows / heldWeight - start;
      for (int64_t k = 0; k < count && next < total; ++k) take(r);
    }
  }
}

// A guest takes the secondary parts of two merged provinces that lie wholly in
// its host's region; the host keeps the main part, and with it the province.
void WorldGenerator::SeatGuests() {
  std::map<ProvinceId, std::vector<size_t>> contributors;  // merged target: its source provinces
  for (size_t p = 0; p < provinces_.size(); ++p)
    if (ProvinceMap::IsMergeMarker(*provinces_[p].targets))
      contributors[provinces_[p].targets->front()].push_back(p);
  for (size_t r = 0; r < std::size(kRegions); ++r) {
    if (kRegions[r].guest.empty()) continue;
    const int guest = CountryIndex(kRegions[r].guest);
    int seated = 0;
    for (size_t p : regionProvinces_[r]) {
      const ProvinceMap::TargetList& targets = *provinces_[p].targets;
      if (seated == 2 || !ProvinceMap::IsMergeMarker(targets) || targets[1] != kMainMarker) continue;
      const std::vector<size_t>& group = contributors[targets.front()];
      const bool inside = std::all_of(group.begin(), group.end(), [&](size_t q) {
        return provinces_[q].region == r && provinces_[q].owner == provinces_[p].owner;
      });
      if (!inside || group.size() < 2) continue;
      for (size_t q : group)
        if ((*provinces_[q].targets)[1] != kMainMarker) provinces_[q].owner = guest;
      ++seated;
    }
  }
}

void WorldGenerator::PlaceClaims() {
  for (const ClaimRow& claim : kClaims) {
    for (size_t r = 0; r < std::size(kRegions); ++r) {
      if (kRegions[r].name != claim.region) continue;
      const std::vector<size_t>& members = regionProvinces_[r];
      provinces_[members[std::min(claim.index, members.size() - 1)]].claim = &claim;
      break;
    }
  }
}

// Pops and railroads grow with the owner's advancement; empty land has a few
// tribesmen and no railroad.
void WorldGenerator::MakePopulation() {
  static constexpr std::string_view kTypes[] = {"farmers", "labourers", "craftsmen", "clerks",
                                                "artisans", "aristocrats", "clergymen"};
  for (Province& province : provinces_) {
    const int advancement = province.owner >= 0 ? kCountries[province.owner].advancement : 0;
    province.railroad =
        advancement < 3 ? 0 : random_.Between(0, advancement / 2) * 1000 + random_.Below(2) * 500;
    if (province.owner < 0) {
      province.pops.push_back({"farmers", random_.Between(50, 600)});
    } else {
      province.pops.push_back({"farmers", random_.Between(800, 9000)});
      const int more = static_cast<int>(random_.Below(1 + static_cast<uint32_t>(advancement) / 4));
      for (int i = 0; i < more; ++i)
        province.pops.push_back({kTypes[1 + random_.Below(std::size(kTypes) - 1)],
                                 random_.Between(100, 4500)});
    }
    for (const auto& pop : province.pops) totalPop_ += pop.second;
  }
}

// The scenario provinces of these source provinces that no country will own:
// those the conversion lists as targets (every part of a split or single
// province, and a merged one that has a main part), reached neither by an owner
// nor by a claim that counts, in the order of the given provinces.
std::vector<ProvinceId> WorldGenerator::MissingTargets(const std::vector<size_t>& chosen,
                                                      std::set<ProvinceId>& listed) const {
  std::set<ProvinceId> reached;
  for (const Province& province : provinces_) {
    bool reaches = Reaches(province.owner);
    if (province.claim && !province.claim->nationalism)
      reaches |= Reaches(CountryIndex(province.claim->claimant));
    if (!reaches) continue;
    const ProvinceMap::TargetList& targets = *province.targets;
    if (ProvinceMap::IsMergeMarker(targets))
      reached.insert(targets.front());
    else
      reached.insert(targets.begin(), targets.end());
  }
  std::vector<ProvinceId> missing;
  for (size_t p : chosen) {
    const ProvinceMap::TargetList& targets = *provinces_[p].targets;
    std::vector<ProvinceId> own(targets.begin(), targets.end());
    if (ProvinceMap::IsMergeMarker(targets)) own = {targets.front()};
    for (ProvinceId target : own)
      if (!reached.count(target) && listed.insert(target).second) missing.push_back(target);
  }
  return missing;
}

WorldExample WorldGenerator::Run() {
  LayOutRegions();
  SeatGuests();
  PlaceClaims();
  MakePopulation();
  std::string save;
  save += "# world.kst - a whole-world Saltmarch save game of 1922 for trying out Quillmere.\n"
          "#\n"
          "# Every source province of Quillmere's province table is owned by one of the countries\n"
          "# below, but for a few dozen uncolonised ones in deserts, jungles and ice, which\n"
          "# world-plan.txt gives to their neighbours. examples/README.md tells what the file\n"
          "# shows. Written by the generator bench/world_save.cpp: change it and run\n"
          "#   build/bench/quillmere_gen_world examples/world.kst examples/world-plan.txt\n"
          "# rather than editing this file.\n\n";
  save += Header();
  save += ProvinceBlocks();
  save += "\n# ---------------------------------------------------------------------------\n"
          "# Countries. The great powers come first; the countries that Countries.txt merges\n"
          "# into another, and those it has no row for, follow.\n"
          "# ---------------------------------------------------------------------------\n";
  for (size_t c = 0; c < std::size(kCountries); ++c) save += CountryBlock(c);
  return {save, Plan()};
}

std::string WorldGenerator::Header() const {
  std::string text = "header = {\n"
                     "    name = \"Quillmere world example\"\n"
                     "    game = \"Saltmarch\"\n"
                     "    date = { year = 1922 month = january day = 1 }\n";
  text += "    pop = { total = " + Fixed(totalPop_) + " }     # the sum of the pop sizes below\n";
  std::vector<std::string> tags;
  for (const CountryRow& country : kCountries) tags.emplace_back(country.tag);
  text += "    selectable = {\n" + WrappedList(tags, "        ") + "    }\n";
  text += "    # Player slots: three left to the computer (nothing after the colon), then the human's.\n"
          "    FRA = { playername = \"AI:\" }\n"
          "    PRU = { playername = \"AI:\" }\n"
          "    RUS = { playername = \"AI:\" }\n"
          "    ENG = { playername = \"Hotseat 1: Edwina Marsh\" }\n"
          "}\n";
  return text;
}

std::string WorldGenerator::ProvinceBlocks() const {
  std::string text;
  for (size_t r = 0; r < std::size(kRegions); ++r) {
    const RegionRow& region = kRegions[r];
    text += "\n# --- " + std::string(region.name);
    text += region.holder.empty() ? std::string(": uncolonised") : " (" + std::string(region.holder) + ")";
    text += " ---\n";
    for (size_t p : regionProvinces_[r]) {
      const Province& province = provinces_[p];
      text += "province = { id = " + Whole(province.id);
      if (province.owner >= 0) text += " owner = " + std::string(kCountries[province.owner].tag);
      text += " railroad_level = " + Fixed(province.railroad);
      for (const auto& [type, size] : province.pops)
        text += " pop = { type = " + std::string(type) + " size = " + Fixed(size) + " }";
      if (province.claim) {
        text += "\n    claimant = " + std::string(province.claim->claimant) + " claim = yes";
        if (province.claim->nationalism) text += " nationalism = 8.5";
        text += " }    # " + std::string(province.claim->note) + "\n";
        continue;
      }
      text += " }\n";
    }
  }
  text += "\n# --- Seas and lakes: ids the province table does not map ---\n";
  for (const UnmappedRow& unmapped : kUnmapped) {
    text += "province = { id = " + Whole(unmapped.id) + " name = \"" + std::string(unmapped.name) + "\"";
    if (!unmapped.owner.empty()) text += " owner = " + std::string(unmapped.owner);
    text += " railroad_level = 0 }\n";
  }
  return text;
}

std::string WorldGenerator::CountryBlock(size_t c) {
  const CountryRow& country = kCountries[c];
  const Politics& politics = *country.politics;
  std::vector<ProvinceId> owned;
  std::vector<ProvinceId> mapped;  // owned ones the table maps
  for (const Province& province : provinces_)
    if (province.owner == static_cast<int>(c)) owned.push_back(province.id), mapped.push_back(province.id);
  for (const UnmappedRow& unmapped : kUnmapped)
    if (unmapped.owner == country.tag) owned.push_back(unmapped.id);
  // The capital: the first owned province that becomes a scenario province of its own.
  ProvinceId capital = mapped.empty() ? 0 : mapped.front();
  for (ProvinceId id : mapped)
    if (!ProvinceMap::IsMergeMarker(*map_.Find(id))) {
      capital = id;
      break;
    }

  std::string text = "\n# " + std::string(country.note) + ".\ncountry = {\n";
  text += "    tag = " + std::string(country.tag) + "\n";
  text += "    government = " + std::string(politics.government) +
          " national_value = " + std::string(politics.nationalValue) + "\n";
  text += "    executive_designation = " + std::string(politics.executive) +
          " political_parties = " + std::string(politics.parties) + "\n";
  text += "    trade_unions = " + std::string(politics.unions) +
          " press_rights = " + std::string(politics.press) + "\n";
  text += "    voting_rights = " + std::string(politics.voting) +
          " party_system = " + std::string(politics.partySystem) + "\n";
  text += "    badboy = " + Fixed(random_.Between(0, 9) * 2500 + (c == 1 ? 22'000 : 0)) + "\n";
  if (capital != 0) text += "    capital = " + Whole(capital) + "\n";
  const int64_t manpower = static_cast<int64_t>(owned.size()) * random_.Between(600, 2400) + 2000;
  text += "    manpower = " + Fixed(manpower) + " mobilization = " + Whole(random_.Between(0, 10)) + "\n";
  if (country.fleets > 0 || random_.Chance(40)) {
    text += "    clipper_convoy = " + Whole(random_.Between(0, 6));
    text += " steamer_convoy = " + Whole(random_.Between(0, country.advancement + 2)) + "\n";
  }
  std::vector<std::string> ids;
  for (ProvinceId id : owned) ids.push_back(Whole(id));
  for (std::string_view key : {"ownedprovinces", "nationalprovinces"})
    text += "    " + std::string(key) +
            (ids.empty() ? " = { }\n" : " = {\n" + WrappedList(ids, "        ") + "    }\n");
  std::vector<std::string> techs;
  for (int range = 1; range <= 5; ++range) {
    const int most = range == 4 ? 5 : 26;
    const int64_t count = std::clamp<int64_t>(
        country.advancement * most / 10 + random_.Between(-2, 1), 0, most);
    for (int64_t k = 1; k <= count; ++k) techs.push_back(Whole(range * 1000 + k * 10));
  }
  if (!techs.empty()) text += "    techapps = {\n" + WrappedList(techs, "        ") + "    }\n";
  text += States(c, mapped);
  text += Relations(c);
  text += Armies(c, mapped, capital);
  text += Fleets(c, mapped);
  if (!country.overlordKey.empty())
    text += "    " + std::string(country.overlordKey) + " = " + std::string(country.overlord) + "\n";
  text += "}\n";
  return text;
}

// States of up to five neighbouring provinces, each with factories by the
// country's advancement.
std::string WorldGenerator::States(size_t c, const std::vector<ProvinceId>& owned) {
  const CountryRow& country = kCountries[c];
  std::string text;
  int number = 0;
  for (size_t first = 0; first < owned.size();) {
    const size_t end = std::min(owned.size(), first + 2 + random_.Below(4));
    const size_t region = std::find_if(provinces_.begin(), provinces_.end(), [&](const Province& p) {
                            return p.id == owned[first];
                          })->region;
    std::string name(kRegions[region].name);
    if (name.rfind("the ", 0) == 0) name[0] = 'T';
    text += "    state = { name = \"" + name + " " + Whole(++number) + "\"";
    for (size_t p = first; p < end; ++p) text += " province = " + Whole(owned[p]);
    const uint32_t factories = random_.Below(1 + static_cast<uint32_t>(country.advancement) / 2);
    for (uint32_t f = 0; f < factories; ++f)
      text += "\n        factory = { type = " +
              std::string(vocabulary::Pick(vocabulary::kFactoryTypes, random_)) +
              " level = " + Whole(1 + random_.Below(1 + static_cast<uint32_t>(country.advancement) / 3)) + " }";
    text += " }\n";
    first = end;
  }
  return text;
}

// Relations with the great powers, the overlord, and a few others.
std::string WorldGenerator::Relations(size_t c) {
  const CountryRow& country = kCountries[c];
  std::set<std::string_view> others;
  for (size_t g = 0; g < 8; ++g) others.insert(kCountries[g].tag);
  for (int k = 0; k < 3; ++k) others.insert(kCountries[random_.Below(std::size(kCountries))].tag);
  others.erase(country.tag);
  std::string text = "    diplomacy = {\n";
  for (std::string_view other : others) {
    int64_t value = random_.Between(-150'000, 150'000);
    std::string overlord(country.overlord);
    for (char& ch : overlord) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (other == overlord) value = 180'000;
    text += "        relation = { tag = " + std::string(other) + " value = " + Fixed(value) + " }\n";
  }
  return text + "    }\n";
}

// Regiments of every type the conversion knows (infantry, cavalry, irregulars,
// colonial regiments, armour, and armour attached to infantry), and some it
// does not (artillery, engineers). Most armies stand in the country's
// provinces; one in a lake the table does not map, some without a location.
std::string WorldGenerator::Armies(size_t c, const std::vector<ProvinceId>& mapped, ProvinceId capital) {
  const CountryRow& country = kCountries[c];
  const int armies = std::clamp(static_cast<int>(mapped.size()) / 20, 1, 6);
  std::string text;
  int regimentNumber = 0;
  for (int a = 1; a <= armies; ++a) {
    const bool colonial = a > 1 && a == armies && (country.tag == "ENG" || country.tag == "FRA" ||
                                                   country.tag == "HOL" || country.tag == "BEL");
    text += "    landunit = { name = \"" + Ordinal(a) + (colonial ? " Colonial Army\"" : " Army\"");
    if (country.tag == "RUS" && a == 2)
      text += " location = 11    # Lake Ladoga: not on the map, placed in the capital";
    else if (country.fate == Fate::kDropped || (a == armies && armies > 2))
      text += country.fate == Fate::kConverts ? "    # no location: in the capital"
              : country.fate == Fate::kMerges ? "    # no location: lost in the merge"
                                              : "    # dropped with its country";
    else if (!mapped.empty())
      text += " location = " + Whole(mapped[random_.Below(static_cast<uint32_t>(mapped.size()))]);
    else
      text += " location = " + Whole(capital);
    const int regiments = 3 + static_cast<int>(random_.Below(6));
    for (int i = 0; i < regiments; ++i) {
      std::string_view type = "infantry";
      std::string_view quality = random_.Chance(15) ? "veteran" : "regular";
      std::string extra;
      const uint32_t draw = random_.Below(100);
      if (colonial) {
        type = draw < 50 ? "infantry" : draw < 70 ? "cavalry" : "colonial";
        quality = draw < 50 ? "colonial" : "regular";
      } else if (country.advancement >= 8 && draw < 12) {
        type = "barrel";
      } else if (country.advancement >= 8 && draw < 20) {
        extra = " extra = barrel";
      } else if (draw < 35) {
        type = "cavalry";
      } else if (draw < 50) {
        type = country.advancement < 5 ? "irregular" : "artillery";
      } else if (draw < 55) {
        type = "engineers";
      } else if (country.advancement < 4 && draw < 75) {
        type = "irregular";
      }
      text += "\n        division = { name = \"" + Ordinal(++regimentNumber) + " " +
              std::string(type == "barrel" ? "Armoured" : type == "colonial" ? "Native" : "") +
              (type == "barrel" || type == "colonial" ? " " : "") +
              (type == "infantry" || type == "barrel" || type == "colonial"   ? "Regiment"
               : type == "cavalry"                                            ? "Horse"
               : type == "irregular"                                          ? "Levy"
               : type == "artillery"                                          ? "Field Artillery"
                                                                              : "Pioneers") +
              "\" type = " + std::string(type) + " quality = " + std::string(quality) + extra + " }";
    }
    text += " }\n";
  }
  return text;
}

// Ships of every type the conversion knows (dreadnoughts, battleships, light
// and heavy cruisers with and without escorts, submarines, destroyers,
// transports), and old ones it does not (frigates, men-of-war). One fleet is at
// sea in a province the table does not map, and one has no location: both go
// to the home port.
std::string WorldGenerator::Fleets(size_t c, const std::vector<ProvinceId>& mapped) {
  const CountryRow& country = kCountries[c];
  std::string text;
  for (int f = 1; f <= country.fleets; ++f) {
    const bool transports = f == country.fleets && country.fleets > 1;
    text += "    navalunit = { name = \"" + Ordinal(f) + (transports ? " Transport Squadron\"" : " Fleet\"");
    if (country.tag == "ENG" && f == 2)
      text += " location = 2860    # the North Sea: not on the map, in the home port";
    else if (country.tag == "JAP" && f == 2)
      text += " location = 2862    # the Sea of Japan: not on the map, in the home port";
    else if (transports || mapped.empty())
      text += country.fate == Fate::kConverts ? "    # no location: in the home port, if it has one"
              : country.fate == Fate::kMerges ? "    # no location: lost in the merge"
                                              : "    # dropped with its country";
    else
      text += " location = " + Whole(mapped[random_.Below(static_cast<uint32_t>(mapped.size()))]);
    const int ships = 3 + static_cast<int>(random_.Below(5));
    for (int i = 0; i < ships; ++i) {
      std::string_view type = "steamer_transport";
      std::string extra;
      if (!transports) {
        const uint32_t draw = random_.Below(100);
        const int a = country.advancement;
        if (a < 4)
          type = draw < 40 ? "frigate" : draw < 60 ? "manowar" : draw < 85 ? "cruiser" : "steamer_transport";
        else if (draw < 15)
          type = a >= 8 ? "dreadnought" : "battleship";
        else if (draw < 28)
          type = "battleship";
        else if (draw < 45)
          type = "cruiser", extra = random_.Chance(40) ? " extra = destroyer" : "";
        else if (draw < 55)
          type = "heavy_cruiser";
        else if (draw < 65)
          type = a >= 7 ? "submarine" : "destroyer";
        else if (draw < 85)
          type = "destroyer";
      }
      text += "\n        division = { name = \"" + vocabulary::ShipName(random_) + "\" type = " +
              std::string(type) + extra + " }";
    }
    text += " }\n";
  }
  return text;
}

std::string WorldGenerator::Plan() const {
  std::string text =
      "# Plan for the world example: which country receives each scenario province that no\n"
      "# country of examples/world.kst owns. Those are the uncolonised lands of the save; each\n"
      "# entry gives one of them to a neighbour.\n"
      "#\n"
      "#   build/quillmere convert examples/world.kst out/world.kst --assign examples/world-plan.txt\n"
      "#\n"
      "# Written by bench/quillmere_gen_world with the save.\n";
  std::set<ProvinceId> listed;  // a province reached from two regions goes to the first
  for (size_t r = 0; r < std::size(kRegions); ++r) {
    const RegionRow& region = kRegions[r];
    if (!region.holder.empty()) continue;
    const std::vector<ProvinceId> missing = MissingTargets(regionProvinces_[r], listed);
    std::vector<std::string> ids;
    for (ProvinceId id : missing) ids.push_back(Whole(id));
    std::string name(region.name);
    text += "\n# " + name;
    if (ids.empty()) {
      text += ": every province is part of a neighbour's, or claimed; nothing to place\n";
      continue;
    }
    text += "\n" + std::string(region.planTag) + " = { ";
    for (const std::string& id : ids) text += id + " ";
    text += "}\n";
  }
  return text;
}

}  // namespace

WorldExample GenerateWorldExample() { return WorldGenerator().Run(); }
