#include "convert/economy.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <string_view>
#include <vector>

#include "convert/value_access.h"
#include "script/number_format.h"

namespace {

// The number of values of a country's province list; 1 when it has none.
int32_t ProvinceCount(const ScriptNode* country, std::string_view key) {
  const ScriptNode* list = country->FirstChild(key);
  if (!list) return 1;
  return list->kind == kNumbers ? list->ItemCount() : 0;
}

// The stockpile multiple of a country with this many owned provinces.
int32_t ResourceBand(int32_t owned) {
  if (owned > 16) return 4;
  if (owned > 10) return 3;
  if (owned > 3) return 2;
  return 1;
}

// Children and grandchildren of a state named key, in document order.
template <typename Visit>
void ForEachWithin(const ScriptNode* state, std::string_view key, const Visit& visit) {
  for (int i = 0; i < state->ItemCount(); ++i) {
    const ScriptNode* child = state->ChildAt(i);
    if (child->name() == key) visit(child);
    if (child->kind != kBlock) continue;
    for (int j = 0; j < child->ItemCount(); ++j)
      if (child->ChildAt(j)->name() == key) visit(child->ChildAt(j));
  }
}

double FactoryWeight(std::string_view type, double level) {
  static constexpr std::string_view kFull[] = {
      "steel_factory",          "ammunition_factory",       "small_arms_factory",
      "regular_clothes_factory", "machine_parts_factory",    "electric_gear_factory",
      "luxury_furniture_factory", "luxury_clothes_factory", "explosives_factory",
      "fuel_refinery"};
  static constexpr std::string_view kHeavy[] = {"aeroplane_factory", "artillery_factory",
                                                "automobile_factory", "barrel_factory",
                                                "steamer_shipyard"};
  if (std::find(std::begin(kFull), std::end(kFull), type) != std::end(kFull)) return level;
  if (std::find(std::begin(kHeavy), std::end(kHeavy), type) != std::end(kHeavy))
    return level * 1.25;
  return level * 0.75;
}

// The industry points of a state: its factories' weights, rounded.
int32_t StateIndustry(const ScriptNode* state) {
  double weight = 0;
  ForEachWithin(state, "factory", [&weight](const ScriptNode* factory) {
    weight += FactoryWeight(factory->TextOf("type"), factory->NumberWithin("level", 0));
  });
  return RoundToInt32(weight);
}

// The source province ids that a state lists; entries without a number are left out.
std::vector<double> StateProvinces(const ScriptNode* state) {
  std::vector<double> ids;
  ForEachWithin(state, "province", [&ids](const ScriptNode* entry) {
    if (entry->kind == kNumbers && entry->ItemCount() > 0) ids.push_back(entry->NumberAt(0));
  });
  return ids;
}

// One step of a band list: applies to values below bound, or up to it when inclusive.
struct Band {
  double bound;
  bool inclusive;
  int32_t add;
};

// What the first band that holds value adds; above when none does.
template <size_t N>
int32_t BandAdd(double value, const std::array<Band, N>& bands, int32_t above) {
  for (const Band& band : bands)
    if (band.inclusive ? value <= band.bound : value < band.bound) return band.add;
  return above;
}

// The manpower bands of industry and population, for capitals and for the rest.
constexpr std::array<Band, 8> kCapitalIndustry{
    {{5, true, -1}, {6, true, 0}, {8, true, 1}, {10, true, 2}, {12, true, 3}, {15, true, 4}, {18, true, 5},
     {20, true, 6}}};
constexpr std::array<Band, 8> kCapitalPopulation{
    {{0.5, true, -2}, {1, true, -1}, {2, true, 0}, {7, true, 1}, {10, true, 2}, {12.5, true, 3},
     {15, true, 4}, {17.5, true, 5}}};
constexpr std::array<Band, 6> kIndustry{
    {{1, false, -1}, {2, false, 0}, {5, false, 1}, {9, false, 2}, {12, false, 3}, {20, true, 4}}};
constexpr std::array<Band, 9> kPopulation{
    {{1, true, -1}, {2, true, 0}, {5, true, 1}, {8, true, 2}, {11, true, 3}, {14, true, 4}, {17, true, 5},
     {20, true, 6}, {23, true, 7}}};

// Appends a building block: "type" (when given), "location" (when given), "size"
// and "current_size".
void AddBuilding(ScriptNode* province, std::string_view key, std::string_view type,
                 int32_t location, double size) {
  ScriptNode* building = province->AddChild(key);
  if (!type.empty()) {
    AddTextValue(building, "type", type);
    AddNumberValue(building, "location", location);
  }
  AddNumberValue(building, "size", size);
  AddNumberValue(building, "current_size", size);
}

// Adds a source province's part to a target province; a secondary contributor
// to a merge (not adding) averages the railroad instead.
void MergeIntoProvinceRecord(TargetProvinces& targets, ProvinceId id, const ProvinceFacts& part,
                             bool adding) {
  ProvinceRecord* record = targets.FindRecord(id);
  if (!record) return;
  ProvinceFacts& facts = record->facts;
  facts.industry += part.industry;
  facts.population += part.population;
  facts.capitalMark += part.capitalMark;
  facts.railroad = adding ? facts.railroad + part.railroad : (facts.railroad + part.railroad) * 0.5;
}

int32_t IndustrialCapacity(const ProvinceFacts& facts, double icModifier) {
  const double factor = facts.population > 5 ? 1.5 : 1.0;
  return std::min(RoundToInt32(facts.industry * factor * icModifier), 20);
}

double InfraLevel(double railroad) {
  const int32_t level = RoundToInt32(railroad);
  if (level <= 0) return 0;
  if (level == 1) return 0.4;
  if (level == 2) return 0.6;
  if (level == 3) return 0.8;
  return 1.0;
}

int32_t ProvinceManpower(const ProvinceFacts& facts) {
  int32_t men = TruncateToInt32(facts.capitalMark);
  if (facts.capitalMark == 5)
    men += BandAdd(facts.industry, kCapitalIndustry, 7) + BandAdd(facts.population, kCapitalPopulation, 6);
  else
    men += BandAdd(facts.industry, kIndustry, 5) + BandAdd(facts.population, kPopulation, 8);
  return std::max(men, 0);
}

// Each source province's facts go to the records of its target provinces: all
// of them to a merge's target, or split over the parts of a split province.
void MergeFactsIntoRecords(const ProvinceMap& provinces, const SourceProvinces& facts,
                           TargetProvinces& targets) {
  for (const ProvinceInfo& info : facts.info) {
    const ProvinceMap::TargetList* list = provinces.Find(info.province);
    if (!list) continue;
    const size_t n = list->size();
    if (ProvinceMap::IsMergeMarker(*list)) {
      MergeIntoProvinceRecord(targets, list->front(), info.facts, (*list)[1] == 3003);
      continue;
    }
    // A split province: half its people stay with the main part, the rest share the other half.
    ProvinceFacts main = info.facts;
    if (n > 1) main.population = info.facts.population * 0.5;
    MergeIntoProvinceRecord(targets, list->front(), main, true);
    if (n == 1) continue;
    const ProvinceFacts other{info.facts.railroad, info.facts.population * 0.5 / double(n - 1), 0, 0};
    for (size_t i = 1; i < n; ++i) MergeIntoProvinceRecord(targets, (*list)[i], other, true);
  }
}

}  // namespace

void ConvertResources(ScriptNode* target, const ScriptNode* source, const std::string& tag,
                      bool merging, CountryProfiles& countries) {
  const double pool =
      std::max(0.0, target->NumberWithin("manpower", 0) + source->NumberWithin("manpower", 0));
  const double mobilization = source->NumberWithin("mobilization", 0);
  const int32_t owned = ProvinceCount(target, "ownedprovinces");
  const int32_t national = ProvinceCount(target, "nationalprovinces");
  const int32_t band = ResourceBand(owned);
  if (CountryAlignment* first = countries.FindAlignment(tag))
    first->score = TruncateToInt32(double(first->score) + owned);
  if (!merging) {
    AddNumberValue(target, "energy", 500.0 * band);
    AddNumberValue(target, "metal", 500.0 * band);
    AddNumberValue(target, "rare_materials", 250.0 * band);
    AddNumberValue(target, "oil", 250.0 * band);
    AddNumberValue(target, "supplies", 250.0 * band);
    AddNumberValue(target, "money", 2.0 * owned + 10);
  }
  const double difference = owned > national ? double(owned) - national
                                             : 4.0 * (double(owned) - national);
  const int32_t manpower = RoundToInt32(pool + 2 * mobilization + 6.0 * national + difference);
  if (merging)
    SetNumberOf(target, "manpower", manpower);
  else
    AddNumberValue(target, "manpower", manpower);
}

void ConvertConvoys(ScriptNode* target, const ScriptNode* source, ScriptNode*& transports) {
  const double convoys =
      source->NumberWithin("clipper_convoy", 0) + source->NumberWithin("steamer_convoy", 0);
  if (convoys <= 0) return;
  const double held = transports ? transports->NumberAt(0) : 0;
  if (held > 0) {
    transports->SetNumber(TruncateToInt32(2 * convoys + held));
    return;
  }
  // A country whose transports came to 0 gets a second entry; the first stays the one read.
  ScriptNode* added = AddNumberValue(target, "transports", TruncateToInt32(4 * convoys));
  if (!transports) transports = added;
  AddNumberValue(target, "escorts", RoundToInt32(convoys * 2 / 3));
}

// Each state hands its industry points one by one to its provinces in turn,
// and the turn goes on from state to state. The points of one state are
// counted per province rather than handed out singly, which gives the same
// sums however large a factory level is.
void ConvertFactories(const ScriptNode* source, SourceProvinces& facts) {
  size_t turn = 0;
  for (int i = 0; i < source->ItemCount(); ++i) {
    const ScriptNode* state = source->ChildAt(i);
    if (state->name() != "state" || state->kind != kBlock) continue;
    const int32_t points = StateIndustry(state);
    const std::vector<double> ids = StateProvinces(state);
    if (ids.empty() || points <= 0) continue;
    const size_t count = ids.size();
    if (turn >= count) turn = 0;
    const size_t rounds = size_t(points) / count;
    const size_t extra = size_t(points) % count;
    const size_t reached = rounds > 0 ? count : extra;
    for (size_t k = 0; k < reached; ++k)
      if (ProvinceInfo* info = facts.Find(ids[(turn + k) % count]))
        info->facts.industry += double(rounds + (k < extra ? 1 : 0));
    turn = (turn + size_t(points)) % count;
  }
}

void ConvertProvinceBuildings(const ProvinceMap& provinces, const ConversionSettings& settings,
                              const SourceProvinces& facts, TargetProvinces& targets,
                              ScriptNode& scenario) {
  MergeFactsIntoRecords(provinces, facts, targets);
  for (const ProvinceRecord& record : targets.records) {
    ScriptNode* province = scenario.AddChild("province");
    AddNumberValue(province, "id", record.id);
    AddBuilding(province, "ic", "ic", record.id, IndustrialCapacity(record.facts, settings.icModifier));
    const double infra = InfraLevel(record.facts.railroad);
    if (infra > 0) AddBuilding(province, "infra", "infrastructure", record.id, infra);
    if (record.airBaseSize > 0) AddBuilding(province, "air_base", {}, 0, record.airBaseSize);
    if (settings.convertManpower)
      AddNumberValue(province, "manpower", ProvinceManpower(record.facts));
  }
}
