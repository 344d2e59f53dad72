#include "bench/save_generator.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

#include "bench/save_history.h"
#include "bench/save_vocabulary.h"
#include "refdata/province_map.h"

namespace {

using vocabulary::Pick;

constexpr uint64_t kSeed = 0x5A17'3A2C'1861'0412ull;
// Seeds of the countries' own streams lie this far apart. It must not be the
// random source's own increment, or each stream would be its neighbour's shifted by one.
constexpr uint64_t kCountrySeedStep = 0xD1B5'4A32'D192'ED03ull;
constexpr size_t kMaxProvinces = 2500;
constexpr size_t kMaxCountries = 200;
constexpr size_t kMinProvinces = 20;
constexpr size_t kMinCountries = 5;
constexpr uint64_t kBytesPerProvinceAtLeast = 2000;  // below this, fewer provinces
constexpr size_t kProvincesPerCountry = 12;
constexpr uint64_t kProvincePercent = 62;  // share of the file in province blocks
constexpr int kLastSourceId = 2859;        // the highest id of the province table
constexpr size_t kUnmappedPercent = 8;     // provinces the table does not map
constexpr size_t kUnownedPercent = 8;
constexpr uint32_t kClaimOnUnownedPercent = 60;
constexpr uint32_t kClaimOnOwnedPercent = 4;
constexpr size_t kSelectable = 24;
constexpr size_t kAiSlots = 3;  // players' slots left to the computer before the human's
constexpr int kYear = 1861;

// Technologies are numbered by thousand-range, ten apart: 1010, 1020, ...
constexpr int kTechRanges[] = {1, 2, 3, 4, 5};
constexpr int kTechsPerRange = 26;
constexpr int kTechsInFourthRange = 5;

// Unit ids in a save are pairs: the id and the type of thing it numbers.
constexpr int kArmyIdType = 41;
constexpr int kNavyIdType = 42;
constexpr int kRegimentIdType = 43;
constexpr int kShipIdType = 44;
constexpr int kLeaderIdType = 37;
constexpr int kPopIdType = 46;
constexpr int kIdeologies = 7;
constexpr int kIssues = 8;
constexpr int kIssueSpacing = 7;  // issues are numbered up to about kIssues times this

// A weight in [0.4, 1.6], in thousandths: blocks of one kind differ in size.
int64_t SizeWeight(SaveRandom& random) { return random.Between(400, 1600); }

// k of the values, spread evenly over them, in their order.
std::vector<int> EvenlySpread(const std::vector<int>& values, size_t k) {
  std::vector<int> chosen;
  for (size_t i = 0; i < k; ++i) chosen.push_back(values[i * values.size() / k]);
  return chosen;
}

// The province ids of a save with count provinces, ascending: ids of the
// built-in table, with kUnmappedPercent of ids it does not map.
std::vector<int> ChooseProvinceIds(const ProvinceMap& map, size_t count) {
  std::vector<int> mapped;
  std::vector<int> unmapped;
  for (int id = 1; id <= kLastSourceId; ++id) (map.Find(id) ? mapped : unmapped).push_back(id);
  const size_t mappedCount = std::min(mapped.size(), count - count * kUnmappedPercent / 100);
  std::vector<int> ids = EvenlySpread(mapped, mappedCount);
  const std::vector<int> others = EvenlySpread(unmapped, count - mappedCount);
  ids.insert(ids.end(), others.begin(), others.end());
  std::sort(ids.begin(), ids.end());
  return ids;
}

ProvinceMap BuiltInProvinceMap() {
  ProvinceMap map;
  map.Build();
  return map;
}

class SaveGenerator {
 public:
  explicit SaveGenerator(const SaveOptions& options);
  std::string Run();

 private:
  // Whole file.
  void AssignProvinces();
  void WriteOpening();
  void WriteHeader();
  void WriteWorldMarket();
  void WriteProvinces(uint64_t end);
  void WriteCountries(uint64_t end);

  // Province blocks.
  void WriteProvince(size_t index, uint64_t budget);
  void WriteProvinceFacts(size_t index);
  void WriteRgo(int provinceId);
  void WritePop(int provinceId, std::string_view culture);
  void WritePopOpinions();
  void WriteClaim(size_t index);

  // Country blocks.
  void WriteCountry(size_t index, uint64_t budget);
  void WriteCountryFacts(size_t index);
  void WritePoliticsWords();
  void WriteEconomyFacts(size_t index);
  void WriteProvinceLists(size_t index);
  void WriteTechnology(size_t index);
  void WriteStates(size_t index);
  void WriteFactory(size_t index);
  void WritePartiesAndTaxes();
  void WriteRelations(size_t index);
  void WriteOverlord(size_t index);
  void WriteArmy(size_t index);
  void WriteRegiment(int homeProvince);
  void WriteNavy(size_t index);
  void WriteShip();

  // Pieces shared by several blocks.
  void WriteIdPair(std::string_view key, int idType);
  void WritePastDate(std::string_view key, int yearsBack);
  void WriteUnitLocation(int home);
  int HomeProvince(size_t country);
  int64_t Advancement(size_t country);
  std::string_view AnyTag();
  std::string_view OwnerTag(size_t province) const;
  // The owner of the nearest owned province before this one; any country when there is none.
  std::string_view NeighbourTag(size_t province);

  SaveOptions options_;
  SaveRandom random_;
  SaveText text_;
  ProvinceMap provinceMap_;
  size_t provinceCount_;
  size_t countryCount_;
  std::vector<int> provinceIds_;  // per province: its source id
  std::vector<int> unmappedIds_;
  std::vector<std::string> tags_;
  std::vector<int> owners_;                     // per province: country index, or -1
  std::vector<std::vector<int64_t>> ownedIds_;  // per country
  std::vector<std::vector<int>> homeIds_;       // per country: owned ids the table maps
  std::vector<std::string> cultures_;           // per country
  int nextId_ = 1;
  int armyCount_ = 0;
  int navyCount_ = 0;
};

SaveGenerator::SaveGenerator(const SaveOptions& options)
    : options_(options),
      random_(kSeed),
      text_(options.lineEnd, random_),
      provinceMap_(BuiltInProvinceMap()) {
  provinceCount_ = static_cast<size_t>(
      std::clamp<uint64_t>(options.bytes / kBytesPerProvinceAtLeast, kMinProvinces, kMaxProvinces));
  countryCount_ = std::clamp(provinceCount_ / kProvincesPerCountry, kMinCountries, kMaxCountries);
  provinceIds_ = ChooseProvinceIds(provinceMap_, provinceCount_);
  for (int id : provinceIds_)
    if (!provinceMap_.Find(id)) unmappedIds_.push_back(id);
  tags_ = vocabulary::CountryTags(countryCount_, random_);
  for (size_t i = 0; i < countryCount_; ++i)
    cultures_.emplace_back(Pick(vocabulary::kCultures, random_));
}

std::string SaveGenerator::Run() {
  AssignProvinces();
  WriteOpening();
  WriteHeader();
  WriteWorldMarket();
  WriteProvinces(options_.bytes * kProvincePercent / 100);
  WriteCountries(options_.bytes);
  return text_.Take();
}

// Countries own runs of neighbouring provinces; the great powers come first
// and own the most. A few provinces stay unowned.
void SaveGenerator::AssignProvinces() {
  owners_.assign(provinceCount_, -1);
  ownedIds_.assign(countryCount_, {});
  homeIds_.assign(countryCount_, {});
  std::vector<uint64_t> weights(countryCount_);
  uint64_t total = 0;
  for (size_t c = 0; c < countryCount_; ++c) total += weights[c] = 10 + 300 / (c + 1);
  size_t country = 0;
  uint64_t weightBefore = 0;  // of the countries before this one
  for (size_t p = 0; p < provinceCount_; ++p) {
    while (country + 1 < countryCount_ &&
           p * total >= (weightBefore + weights[country]) * provinceCount_) {
      weightBefore += weights[country];
      ++country;
    }
    if (random_.Chance(kUnownedPercent)) continue;
    owners_[p] = static_cast<int>(country);
    ownedIds_[country].push_back(provinceIds_[p]);
    if (provinceMap_.Find(provinceIds_[p])) homeIds_[country].push_back(provinceIds_[p]);
  }
}

void SaveGenerator::WriteOpening() {
  text_.Comment("Saltmarch save game");
  text_.Date("date", kYear, 4, 12);
  text_.Quoted("player", tags_[0]);
  text_.Whole("government", 4);
  text_.Word("automate_trade", "no");
  text_.Whole("rng_seed", random_.Between(1, 1'000'000'000));
}

// The first country is the human player's; the slots before its own belong
// to the computer and name nobody after their colon.
void SaveGenerator::WriteHeader() {
  text_.Open("header");
  text_.Quoted("version", "2.31");
  text_.Date("date", kYear, 4, 12);
  text_.Word("player", tags_[0]);
  text_.Open("pop");
  text_.Fixed("total", random_.Between(20'000'000, 60'000'000));  // the pops' sizes summed
  text_.Whole("provinces", static_cast<int64_t>(provinceCount_));
  text_.Close();
  const size_t selectableCount = std::min(tags_.size(), kSelectable);
  std::vector<std::string_view> selectable(tags_.begin(), tags_.begin() + selectableCount);
  text_.WordList("selectable", selectable);
  for (size_t i = 1; i <= kAiSlots && i < selectableCount; ++i) {
    text_.Open(tags_[i]);
    text_.Quoted("playername", "AI:");
    text_.Close();
  }
  text_.Open(tags_[0]);
  text_.Quoted("playername", vocabulary::PlayerName(random_));
  text_.Close();
  text_.Close();
}

void SaveGenerator::WriteWorldMarket() {
  text_.Comment("prices and pools of the world market");
  text_.Open("world_market");
  for (std::string_view pool : {"price_pool", "supply_pool", "last_price_history"}) {
    text_.Open(pool);
    for (std::string_view good : vocabulary::kGoods)
      text_.Fixed(good, random_.Between(500, 90'000));
    text_.Close();
  }
  text_.Close();
}

// Each block gets a share of what is left before end, so the section ends close
// to end whatever the blocks' own sizes were.
void SaveGenerator::WriteProvinces(uint64_t end) {
  for (size_t i = 0; i < provinceCount_; ++i) {
    const uint64_t left = end > text_.Size() ? end - text_.Size() : 0;
    WriteProvince(i, left / (provinceCount_ - i) * SizeWeight(random_) / 1000);
  }
}

void SaveGenerator::WriteCountries(uint64_t end) {
  for (size_t i = 0; i < countryCount_; ++i) {
    const uint64_t left = end > text_.Size() ? end - text_.Size() : 0;
    WriteCountry(i, left / (countryCount_ - i) * SizeWeight(random_) / 1000);
  }
}

void SaveGenerator::WriteProvince(size_t index, uint64_t budget) {
  const size_t start = text_.Size();
  const int id = provinceIds_[index];
  if (random_.Chance(5)) text_.Comment("province " + std::to_string(id));
  text_.Open("province");
  WriteProvinceFacts(index);
  const int owner = owners_[index];
  const std::string_view culture = owner >= 0
                                       ? std::string_view(cultures_[static_cast<size_t>(owner)])
                                       : Pick(vocabulary::kCultures, random_);
  do {
    WritePop(id, random_.Chance(80) ? culture : Pick(vocabulary::kCultures, random_));
  } while (text_.Size() - start < budget);
  WriteClaim(index);
  text_.Close();
}

void SaveGenerator::WriteProvinceFacts(size_t index) {
  const int id = provinceIds_[index];
  text_.Whole("id", id);
  text_.Quoted("name", vocabulary::PlaceName(random_));
  const std::string_view owner = OwnerTag(index);
  if (!owner.empty()) {
    text_.Word("owner", owner);
    text_.Word("controller", random_.Chance(95) ? owner : AnyTag());
    text_.Word("core", owner);
  }
  if (random_.Chance(15)) text_.Word("core", AnyTag());
  text_.Fixed("garrison", 100'000);
  text_.Whole("life_rating", random_.Between(10, 45));
  text_.Fixed("infrastructure", random_.Between(0, 4) * 250);
  if (random_.Chance(80))
    text_.Whole("railroad_level", random_.Between(0, 5));
  else
    text_.Fixed("railroad_level", random_.Between(0, 10) * 500);
  text_.WholeList("fort", {random_.Between(0, 2), 0});
  if (random_.Chance(20)) text_.WholeList("naval_base", {random_.Between(1, 6), 0});
  WritePastDate("last_imigration", 20);
  WriteRgo(id);
  text_.Open("party_loyalty");
  text_.Word("ideology", random_.Chance(50) ? "conservative" : "liberal");
  text_.Fixed("loyalty_value", random_.Between(0, 25'000));
  text_.Close();
}

// The province's resource gatherer, with its employees as anonymous blocks.
void SaveGenerator::WriteRgo(int provinceId) {
  text_.Open("rgo");
  text_.Open("employment");
  text_.Whole("province_id", provinceId);
  text_.Open("employees");
  const int employees = static_cast<int>(random_.Between(1, 3));
  for (int i = 0; i < employees; ++i) {
    text_.OpenAnonymous();
    text_.Open("province_pop_id");
    text_.Whole("province_id", provinceId);
    text_.Whole("index", i);
    text_.Whole("type", random_.Between(1, 10));
    text_.Close();
    text_.Whole("count", random_.Between(100, 40'000));
    text_.Close();
  }
  text_.Close();
  text_.Close();
  text_.Fixed("last_income", random_.Between(0, 9'000'000));
  text_.Word("goods_type", Pick(vocabulary::kGoods, random_));
  text_.Close();
}

// Sizes are in the save's own unit, a few tenths to one and a half each.
void SaveGenerator::WritePop(int provinceId, std::string_view culture) {
  text_.Open("pop");
  text_.Whole("id", nextId_++);
  text_.Fixed("size", random_.Between(20, 1500));
  text_.Word("type", Pick(vocabulary::kPopTypes, random_));
  text_.Word("culture", culture);
  text_.Word("religion", Pick(vocabulary::kReligions, random_));
  text_.Whole("location", provinceId);
  text_.Fixed("money", random_.Between(0, 5'000'000));
  WritePopOpinions();
  text_.Fixed("consciousness", random_.Between(0, 10'000));
  text_.Fixed("militancy", random_.Between(0, 10'000));
  text_.Fixed("literacy", random_.Between(50, 1000));
  text_.Fixed("bank", random_.Between(0, 100'000));
  text_.Fixed("life_needs", random_.Between(500, 1000));
  text_.Fixed("everyday_needs", random_.Between(0, 1000));
  text_.Fixed("luxury_needs", random_.Between(0, 400));
  if (random_.Chance(30)) text_.Whole("size_change", random_.Between(-400, 400));
  text_.Close();
}

// Support for ideologies and issues, keyed by number.
void SaveGenerator::WritePopOpinions() {
  text_.Open("ideology");
  for (int i = 1; i <= kIdeologies; ++i) text_.Fixed(std::to_string(i), random_.Between(0, 60'000));
  text_.Close();
  text_.Open("issues");
  int issue = 0;
  for (int i = 0; i < kIssues; ++i) {
    issue += static_cast<int>(random_.Between(1, kIssueSpacing));
    text_.Fixed(std::to_string(issue), random_.Between(0, 40'000));
  }
  text_.Close();
}

// Unowned provinces are mostly claimed, owned ones seldom; a third of the
// claims are on provinces with nationalism, which makes them void.
void SaveGenerator::WriteClaim(size_t index) {
  const bool unowned = owners_[index] < 0;
  if (!random_.Chance(unowned ? kClaimOnUnownedPercent : kClaimOnOwnedPercent)) return;
  text_.Word("claimant", NeighbourTag(index));
  text_.Word("claim", "yes");
  if (random_.Chance(33)) text_.Fixed("nationalism", random_.Between(500, 20'000));
}

// Each country draws from a stream of its own and ends with its forces, so
// that leaving the forces out changes nothing else in the file.
void SaveGenerator::WriteCountry(size_t index, uint64_t budget) {
  random_ = SaveRandom(kSeed + kCountrySeedStep * (index + 1));
  const size_t start = text_.Size();
  text_.Comment("country " + tags_[index]);
  text_.Open("country");
  WriteCountryFacts(index);
  WriteProvinceLists(index);
  WriteTechnology(index);
  WriteStates(index);
  WritePartiesAndTaxes();
  WriteRelations(index);
  WriteOverlord(index);
  int histories = 0;
  while ((options_.forces || options_.gameShape) && text_.Size() - start < budget) {
    if (options_.gameShape && (!options_.forces || random_.Chance(60)))
      WriteHistoryEntry(text_, random_, tags_[index], histories++);
    else if (random_.Chance(75))
      WriteArmy(index);
    else
      WriteNavy(index);
  }
  text_.Close();
}

void SaveGenerator::WriteCountryFacts(size_t index) {
  text_.Word("tag", tags_[index]);
  text_.Word("primary_culture", cultures_[index]);
  std::vector<std::string_view> accepted;
  for (uint32_t i = random_.Below(3); i > 0; --i)
    accepted.push_back(Pick(vocabulary::kCultures, random_));
  text_.WordList("accepted_cultures", accepted);
  text_.Word("religion", Pick(vocabulary::kReligions, random_));
  WritePoliticsWords();
  WriteEconomyFacts(index);
  text_.Fixed("money", random_.Between(-50'000'000, 900'000'000));
  text_.Fixed("prestige", random_.Between(0, 400'000));
  text_.Fixed("plurality", random_.Between(0, 100'000));
  text_.Fixed("research_points", random_.Between(0, 9'000'000));
  text_.Quoted("name", vocabulary::PlaceName(random_));
}

void SaveGenerator::WritePoliticsWords() {
  text_.Word("government", Pick(vocabulary::kGovernments, random_));
  text_.Word("national_value", Pick(vocabulary::kNationalValues, random_));
  text_.Word("executive_designation", Pick(vocabulary::kExecutives, random_));
  text_.Word("political_parties", Pick(vocabulary::kPartyLaws, random_));
  text_.Word("trade_unions", Pick(vocabulary::kUnionLaws, random_));
  text_.Word("press_rights", Pick(vocabulary::kPressLaws, random_));
  text_.Word("voting_rights", Pick(vocabulary::kVotingLaws, random_));
  text_.Word("party_system", Pick(vocabulary::kPartySystems, random_));
  text_.Fixed("badboy", random_.Between(0, 60'000));
}

// The capital is one of the country's provinces that the table maps.
void SaveGenerator::WriteEconomyFacts(size_t index) {
  const auto& homes = homeIds_[index];
  text_.Whole("capital", homes.empty() ? 0 : homes[random_.Below(static_cast<uint32_t>(homes.size()))]);
  text_.Fixed("manpower", random_.Between(0, 300'000));
  text_.Whole("mobilization", random_.Between(0, 10));
  if (random_.Chance(70)) text_.Whole("clipper_convoy", random_.Between(0, 8));
  if (random_.Chance(70)) text_.Whole("steamer_convoy", random_.Between(0, 14));
}

// National provinces: most of the owned ones, and now and then the first
// provinces of the next country's run.
void SaveGenerator::WriteProvinceLists(size_t index) {
  const auto& owned = ownedIds_[index];
  text_.WholeList("ownedprovinces", owned);
  std::vector<int64_t> national;
  for (int64_t id : owned)
    if (random_.Chance(85)) national.push_back(id);
  if (index + 1 < countryCount_ && random_.Chance(30)) {
    const auto& next = ownedIds_[index + 1];
    national.insert(national.end(), next.begin(), next.begin() + std::min<size_t>(next.size(), 2));
  }
  text_.WholeList("nationalprovinces", national);
}

// The leading countries hold most technologies of every range.
void SaveGenerator::WriteTechnology(size_t index) {
  const int64_t advancement = Advancement(index);
  std::vector<int64_t> known;
  for (int range : kTechRanges) {
    const int most = range == 4 ? kTechsInFourthRange : kTechsPerRange;
    const int64_t count =
        std::clamp<int64_t>(advancement * most / 1000 + random_.Between(-3, 3), 0, most);
    for (int64_t k = 1; k <= count; ++k) known.push_back(range * 1000 + k * 10);
  }
  text_.WholeList("techapps", known);
}

// The owned provinces in states of one to five neighbours, each state with a
// few factories.
void SaveGenerator::WriteStates(size_t index) {
  const auto& owned = ownedIds_[index];
  for (size_t first = 0; first < owned.size();) {
    const size_t end = std::min(owned.size(), first + 1 + random_.Below(5));
    text_.Open("state");
    text_.Quoted("name", vocabulary::PlaceName(random_));
    for (size_t p = first; p < end; ++p) text_.Whole("province", owned[p]);
    for (uint32_t f = random_.Below(5); f > 0; --f) WriteFactory(index);
    text_.Close();
    first = end;
  }
}

void SaveGenerator::WriteFactory(size_t index) {
  text_.Open("factory");
  text_.Word("type", Pick(vocabulary::kFactoryTypes, random_));
  text_.Whole("level", 1 + Advancement(index) * random_.Between(0, 4) / 1000);
  text_.Fixed("money", random_.Between(0, 2'000'000));
  text_.Close();
}

void SaveGenerator::WritePartiesAndTaxes() {
  text_.Whole("ruling_party", random_.Between(1, 400));
  text_.WholeList("active_party", {random_.Between(1, 400), random_.Between(1, 400)});
  text_.Open("upper_house");
  for (std::string_view ideology : {"conservative", "liberal", "reactionary", "socialist"})
    text_.Fixed(ideology, random_.Between(0, 1000));
  text_.Close();
  for (std::string_view tax : {"rich_tax", "middle_tax", "poor_tax"}) {
    text_.Open(tax);
    text_.Fixed("current", random_.Between(0, 1000));
    text_.Fixed("min", 0);
    text_.Fixed("max", 1000);
    text_.Close();
  }
  text_.Fixed("tariffs", random_.Between(-250, 500));
}

// Opinions of a handful of other countries, each under the other's tag.
void SaveGenerator::WriteRelations(size_t index) {
  text_.Open("diplomacy");
  for (uint32_t count = 4 + random_.Below(20); count > 0; --count) {
    const std::string_view other = AnyTag();
    if (other == tags_[index]) continue;
    text_.Open("relation");
    text_.Word("tag", other);
    text_.Fixed("value", random_.Between(-200'000, 200'000));
    if (random_.Chance(20)) text_.Word("military_access", "yes");
    if (random_.Chance(10)) WritePastDate("last_war", 25);
    text_.Close();
  }
  text_.Close();
}

// One country in seven beyond the great powers is a subject: a dominion of
// the first country, or a satellite of a great power, whose tag satellites
// write in lower case.
void SaveGenerator::WriteOverlord(size_t index) {
  constexpr size_t kGreatPowers = 8;
  if (index < kGreatPowers || !random_.Chance(15)) return;
  if (random_.Chance(50)) {
    text_.Word("dominion", tags_[0]);
    return;
  }
  std::string tag = tags_[random_.Below(static_cast<uint32_t>(std::min(kGreatPowers, countryCount_)))];
  for (char& c : tag) c = static_cast<char>(c - 'A' + 'a');
  text_.Word("satellite", tag);
}

void SaveGenerator::WriteArmy(size_t index) {
  const int home = HomeProvince(index);
  text_.Open("landunit");
  text_.Quoted("name", vocabulary::OrdinalName(++armyCount_, "Army"));
  WriteIdPair("id", kArmyIdType);
  if (random_.Chance(60)) WriteIdPair("leader", kLeaderIdType);
  WriteUnitLocation(home);
  text_.Fixed("movement_progress", 0);
  text_.Fixed("supplies", random_.Between(500, 1000));
  const int regiments = static_cast<int>(random_.Between(2, 10));
  for (int i = 0; i < regiments; ++i) WriteRegiment(home);
  text_.Close();
}

// A regiment is a "division" of its land unit: its name, type and quality,
// sometimes armour attached, and the rest of its record.
void SaveGenerator::WriteRegiment(int homeProvince) {
  const std::string_view type = Pick(vocabulary::kRegimentTypes, random_);
  std::string name(type);
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  text_.Open("division");
  text_.Quoted("name", vocabulary::OrdinalName(static_cast<int>(random_.Between(1, 120)),
                                               name + " Regiment"));
  WriteIdPair("id", kRegimentIdType);
  text_.Word("type", type);
  text_.Word("quality", Pick(vocabulary::kRegimentQualities, random_));
  if (type == "infantry" && random_.Chance(10)) text_.Word("extra", "barrel");
  text_.Open("pop");
  text_.Whole("id", random_.Between(1, nextId_));
  text_.Whole("type", kPopIdType);
  text_.Close();
  text_.Whole("home", homeProvince);
  text_.Fixed("organisation", random_.Between(5'000, 30'000));
  text_.Fixed("strength", random_.Between(100, 3'000));
  text_.Fixed("experience", random_.Between(0, 20'000));
  text_.Whole("count", 1);
  text_.Close();
}

void SaveGenerator::WriteNavy(size_t index) {
  const int base = HomeProvince(index);
  text_.Open("navalunit");
  text_.Quoted("name", vocabulary::OrdinalName(++navyCount_, "Fleet"));
  WriteIdPair("id", kNavyIdType);
  WriteUnitLocation(base);
  text_.Whole("base", base);
  text_.Fixed("supplies", random_.Between(500, 1000));
  const int ships = static_cast<int>(random_.Between(2, 8));
  for (int i = 0; i < ships; ++i) WriteShip();
  text_.Close();
}

// A ship is a "division" of its fleet; cruisers sometimes have an escort.
void SaveGenerator::WriteShip() {
  const std::string_view type = Pick(vocabulary::kShipTypes, random_);
  text_.Open("division");
  text_.Quoted("name", vocabulary::ShipName(random_));
  WriteIdPair("id", kShipIdType);
  text_.Word("type", type);
  if (type == "cruiser" && random_.Chance(20)) text_.Word("extra", "destroyer");
  text_.Fixed("organisation", random_.Between(10'000, 60'000));
  text_.Fixed("strength", random_.Between(10'000, 100'000));
  text_.Fixed("experience", random_.Between(0, 20'000));
  text_.Close();
}

void SaveGenerator::WriteIdPair(std::string_view key, int idType) {
  text_.Open(key);
  text_.Whole("id", nextId_++);
  text_.Whole("type", idType);
  text_.Close();
}

// A date within yearsBack years before the save's own. The parts are drawn one
// statement at a time: the order of evaluation of arguments is not fixed.
void SaveGenerator::WritePastDate(std::string_view key, int yearsBack) {
  const int year = kYear - static_cast<int>(random_.Below(static_cast<uint32_t>(yearsBack)));
  const int month = 1 + static_cast<int>(random_.Below(12));
  const int day = 1 + static_cast<int>(random_.Below(28));
  text_.Date(key, year, month, day);
}

// Most units stand in one of their country's provinces; some at sea, in a
// province the table does not map, and some have no location at all.
void SaveGenerator::WriteUnitLocation(int home) {
  const uint32_t draw = random_.Below(100);
  if (draw < 85)
    text_.Whole("location", home);
  else if (draw < 92 && !unmappedIds_.empty())
    text_.Whole("location", unmappedIds_[random_.Below(static_cast<uint32_t>(unmappedIds_.size()))]);
}

// One of the country's mapped provinces; any mapped province when it has none.
int SaveGenerator::HomeProvince(size_t country) {
  const auto& homes = homeIds_[country];
  if (!homes.empty()) return homes[random_.Below(static_cast<uint32_t>(homes.size()))];
  for (;;) {
    const int id = provinceIds_[random_.Below(static_cast<uint32_t>(provinceCount_))];
    if (provinceMap_.Find(id)) return id;
  }
}

// How far a country has come, in thousandths: the great powers lead.
int64_t SaveGenerator::Advancement(size_t country) {
  const int64_t rank = static_cast<int64_t>(std::min<size_t>(country, 100));
  return std::clamp<int64_t>(980 - rank * 6 + random_.Between(-100, 100), 0, 1000);
}

std::string_view SaveGenerator::AnyTag() {
  return tags_[random_.Below(static_cast<uint32_t>(tags_.size()))];
}

std::string_view SaveGenerator::OwnerTag(size_t province) const {
  const int owner = owners_[province];
  return owner < 0 ? std::string_view() : std::string_view(tags_[static_cast<size_t>(owner)]);
}

std::string_view SaveGenerator::NeighbourTag(size_t province) {
  for (size_t p = province; p-- > 0;)
    if (owners_[p] >= 0) return tags_[static_cast<size_t>(owners_[p])];
  return AnyTag();
}

}  // namespace

std::string GenerateSave(const SaveOptions& options) { return SaveGenerator(options).Run(); }

bool WriteSave(const std::string& path, const SaveOptions& options) {
  const std::string text = GenerateSave(options);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(text.data(), static_cast<std::streamsize>(text.size()));
  file.close();
  return static_cast<bool>(file);
}
