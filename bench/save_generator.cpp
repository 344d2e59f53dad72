#include "bench/save_generator.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <vector>

#include "bench/save_vocabulary.h"

namespace {

using vocabulary::Pick;

constexpr uint64_t kSeed = 0x5A17'3A2C'1861'0412ull;
constexpr size_t kMaxProvinces = 2500;
constexpr size_t kMaxCountries = 200;
constexpr size_t kMinProvinces = 20;
constexpr size_t kMinCountries = 5;
constexpr uint64_t kBytesPerProvinceAtLeast = 2000;  // below this, fewer provinces
constexpr size_t kProvincesPerCountry = 12;
constexpr uint64_t kProvincePercent = 62;  // share of the file in province blocks
constexpr size_t kUnownedPercent = 8;
constexpr int kYear = 1861;

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

  // Country blocks.
  void WriteCountry(size_t index, uint64_t budget);
  void WriteCountryFacts(size_t index);
  void WriteProvinceLists(size_t index);
  void WriteTechnology();
  void WritePolitics();
  void WriteRelations(size_t index);
  void WriteArmy(size_t index);
  void WriteRegiment(int homeProvince);
  void WriteNavy(size_t index);
  void WriteShip();

  // Pieces shared by several blocks.
  void WriteIdPair(std::string_view key, int idType);
  void WritePastDate(std::string_view key, int yearsBack);
  int HomeProvince(size_t country);
  std::string_view AnyTag();
  int ProvinceId(size_t index) const { return static_cast<int>(index) + 1; }
  std::string_view OwnerTag(size_t province) const;

  SaveOptions options_;
  SaveRandom random_;
  SaveText text_;
  size_t provinceCount_;
  size_t countryCount_;
  std::vector<std::string> tags_;
  std::vector<int> owners_;                     // per province: country index, or -1
  std::vector<std::vector<int64_t>> ownedIds_;  // per country
  std::vector<std::string> cultures_;           // per country
  int nextId_ = 1;
  int armyCount_ = 0;
  int navyCount_ = 0;
};

SaveGenerator::SaveGenerator(const SaveOptions& options)
    : options_(options), random_(kSeed), text_(options.lineEnd, random_) {
  provinceCount_ = static_cast<size_t>(
      std::clamp<uint64_t>(options.bytes / kBytesPerProvinceAtLeast, kMinProvinces, kMaxProvinces));
  countryCount_ = std::clamp(provinceCount_ / kProvincesPerCountry, kMinCountries, kMaxCountries);
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

// Countries own runs of neighbouring provinces; the familiar great powers come
// first and own the most. A few provinces stay unowned.
void SaveGenerator::AssignProvinces() {
  owners_.assign(provinceCount_, -1);
  ownedIds_.assign(countryCount_, {});
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
    ownedIds_[country].push_back(ProvinceId(p));
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

void SaveGenerator::WriteHeader() {
  text_.Open("header");
  text_.Quoted("version", "2.31");
  text_.Date("date", kYear, 4, 12);
  text_.Word("player", tags_[0]);
  text_.Open("pop");
  text_.Whole("total", random_.Between(100'000'000, 900'000'000));
  text_.Whole("provinces", static_cast<int64_t>(provinceCount_));
  text_.Close();
  std::vector<std::string_view> selectable(tags_.begin(),
                                           tags_.begin() + std::min<size_t>(tags_.size(), 24));
  text_.WordList("selectable", selectable);
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
  const int id = ProvinceId(index);
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
  text_.Close();
}

void SaveGenerator::WriteProvinceFacts(size_t index) {
  const int id = ProvinceId(index);
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
  text_.Whole("railroad_level", random_.Between(0, 5));
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

void SaveGenerator::WritePop(int provinceId, std::string_view culture) {
  text_.Open("pop");
  text_.Whole("id", nextId_++);
  text_.Whole("size", random_.Between(50, 60'000));
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

void SaveGenerator::WriteCountry(size_t index, uint64_t budget) {
  const size_t start = text_.Size();
  text_.Comment("country " + tags_[index]);
  text_.Open("country");
  WriteCountryFacts(index);
  WriteProvinceLists(index);
  WriteTechnology();
  WritePolitics();
  WriteRelations(index);
  while (text_.Size() - start < budget) {
    if (random_.Chance(75))
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
  text_.Word("government", Pick(vocabulary::kGovernments, random_));
  text_.Word("nationalvalue", Pick(vocabulary::kNationalValues, random_));
  const auto& owned = ownedIds_[index];
  text_.Whole("capital",
              owned.empty() ? 0 : owned[random_.Below(static_cast<uint32_t>(owned.size()))]);
  text_.Fixed("money", random_.Between(-50'000'000, 900'000'000));
  text_.Fixed("prestige", random_.Between(0, 400'000));
  text_.Fixed("badboy", random_.Between(0, 25'000));
  text_.Fixed("plurality", random_.Between(0, 100'000));
  text_.Fixed("research_points", random_.Between(0, 9'000'000));
  text_.Quoted("name", vocabulary::PlaceName(random_));
}

void SaveGenerator::WriteProvinceLists(size_t index) {
  const auto& owned = ownedIds_[index];
  text_.WholeList("ownedprovinces", owned);
  std::vector<int64_t> national;
  for (int64_t id : owned)
    if (random_.Chance(85)) national.push_back(id);
  text_.WholeList("nationalprovinces", national);
}

void SaveGenerator::WriteTechnology() {
  std::vector<int64_t> researched;
  for (int64_t tech = 1; tech <= 120; ++tech)
    if (random_.Chance(45)) researched.push_back(tech);
  text_.WholeList("technology", researched);
  std::vector<int64_t> inventions;
  for (int64_t invention = 1; invention <= 300; ++invention)
    if (random_.Chance(20)) inventions.push_back(invention);
  text_.WholeList("active_inventions", inventions);
}

void SaveGenerator::WritePolitics() {
  text_.Whole("ruling_party", random_.Between(1, 400));
  text_.WholeList("active_party", {random_.Between(1, 400), random_.Between(1, 400)});
  text_.Open("upper_house");
  for (std::string_view ideology : {"conservative", "liberal", "reactionary", "socialist"})
    text_.Fixed(ideology, random_.Between(0, 1000));
  text_.Close();
  text_.Open("policy");
  text_.Word("trade_policy", random_.Chance(50) ? "free_trade" : "protectionism");
  text_.Word("economic_policy", random_.Chance(50) ? "laissez_faire" : "interventionism");
  text_.Word("war_policy", random_.Chance(50) ? "jingoism" : "pacifism");
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

// Relations with a handful of other countries, each under the other's tag.
void SaveGenerator::WriteRelations(size_t index) {
  std::vector<std::string_view> targets;
  const uint32_t count = 4 + random_.Below(20);
  for (uint32_t i = 0; i < count; ++i) {
    const std::string_view other = AnyTag();
    if (other == tags_[index]) continue;
    text_.Open(other);
    text_.Whole("value", random_.Between(-200, 200));
    text_.Whole("level", random_.Between(0, 5));
    if (random_.Chance(20)) text_.Word("military_access", "yes");
    if (random_.Chance(10)) WritePastDate("last_war", 25);
    text_.Close();
    if (random_.Chance(15)) targets.push_back(other);
  }
  text_.WordList("ai_targets", targets);
}

void SaveGenerator::WriteArmy(size_t index) {
  const int home = HomeProvince(index);
  text_.Open("army");
  WriteIdPair("id", kArmyIdType);
  text_.Quoted("name", vocabulary::OrdinalName(++armyCount_, "Army"));
  if (random_.Chance(60)) WriteIdPair("leader", kLeaderIdType);
  text_.Whole("location", home);
  text_.Whole("previous", home);
  text_.Fixed("movement_progress", 0);
  text_.Fixed("supplies", random_.Between(500, 1000));
  const int regiments = static_cast<int>(random_.Between(2, 10));
  for (int i = 0; i < regiments; ++i) WriteRegiment(home);
  text_.Close();
}

void SaveGenerator::WriteRegiment(int homeProvince) {
  const std::string_view type = Pick(vocabulary::kRegimentTypes, random_);
  std::string name(type);
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  text_.Open("regiment");
  WriteIdPair("id", kRegimentIdType);
  text_.Quoted("name", vocabulary::OrdinalName(static_cast<int>(random_.Between(1, 120)),
                                               name + " Regiment"));
  text_.Open("pop");
  text_.Whole("id", random_.Between(1, nextId_));
  text_.Whole("type", kPopIdType);
  text_.Close();
  text_.Whole("home", homeProvince);
  text_.Fixed("organisation", random_.Between(5'000, 30'000));
  text_.Fixed("strength", random_.Between(100, 3'000));
  text_.Fixed("experience", random_.Between(0, 20'000));
  text_.Whole("count", 1);
  text_.Word("type", type);
  text_.Close();
}

void SaveGenerator::WriteNavy(size_t index) {
  const int base = HomeProvince(index);
  text_.Open("navy");
  WriteIdPair("id", kNavyIdType);
  text_.Quoted("name", vocabulary::OrdinalName(++navyCount_, "Fleet"));
  text_.Whole("location", base);
  text_.Whole("base", base);
  text_.Fixed("supplies", random_.Between(500, 1000));
  const int ships = static_cast<int>(random_.Between(2, 8));
  for (int i = 0; i < ships; ++i) WriteShip();
  text_.Close();
}

void SaveGenerator::WriteShip() {
  text_.Open("ship");
  WriteIdPair("id", kShipIdType);
  text_.Quoted("name", vocabulary::ShipName(random_));
  text_.Fixed("organisation", random_.Between(10'000, 60'000));
  text_.Fixed("strength", random_.Between(10'000, 100'000));
  text_.Fixed("experience", random_.Between(0, 20'000));
  text_.Word("type", Pick(vocabulary::kShipTypes, random_));
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

int SaveGenerator::HomeProvince(size_t country) {
  const auto& owned = ownedIds_[country];
  if (owned.empty()) return ProvinceId(random_.Below(static_cast<uint32_t>(provinceCount_)));
  return static_cast<int>(owned[random_.Below(static_cast<uint32_t>(owned.size()))]);
}

std::string_view SaveGenerator::AnyTag() {
  return tags_[random_.Below(static_cast<uint32_t>(tags_.size()))];
}

std::string_view SaveGenerator::OwnerTag(size_t province) const {
  const int owner = owners_[province];
  return owner < 0 ? std::string_view() : std::string_view(tags_[static_cast<size_t>(owner)]);
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
