#include "convert/countries.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "convert/diplomacy.h"
#include "convert/dominions.h"
#include "convert/economy.h"
#include "convert/land_forces.h"
#include "convert/naval_forces.h"
#include "convert/politics.h"
#include "convert/provinces.h"
#include "convert/technology.h"
#include "convert/value_access.h"
#include "script/number_format.h"

namespace {

// Whether a search takes the words of lists equal to the searched key, as FindAll does.
enum class Words { kMatch, kPassOver };

// The first of a node's matches that FindAll would give at unlimited depth, as
// FindAll orders them (the nodes alone when words are passed over); the search
// stops there.
std::optional<ScriptMatch> FirstMatch(const ScriptNode* node, std::string_view searched, Words words) {
  if (node->HoldsText() && words == Words::kMatch) {
    for (int i = 0; i < node->ItemCount(); ++i)
      if (node->TextAt(i) == searched) return ScriptMatch{const_cast<ScriptNode*>(node), i};
    return std::nullopt;
  }
  if (node->kind != kBlock) return std::nullopt;
  for (int i = 0; i < node->ItemCount(); ++i) {
    ScriptNode* child = node->ChildAt(i);
    if (child->name() == searched) return ScriptMatch{child, -1};
    if (std::optional<ScriptMatch> within = FirstMatch(child, searched, words)) return within;
  }
  return std::nullopt;
}

// The entries of a target country that its merges read again, kept from its
// conversion on. A country grows only at its end (units, convoys) and by the
// values of its lists, so the first entry of a name stays the first.
struct CountryEntries {
  const ScriptNode* techapps = nullptr;  // the first "techapps" anywhere within it; null for none
  ScriptNode* transports = nullptr;      // its first "transports"; null while it has none
};

// The first country block among the scenario's children with each tag. The
// scenario only grows while countries are converted; each lookup first takes
// in the children added since the one before.
class CountriesByTag {
 public:
  explicit CountriesByTag(const ScriptNode& scenario) : scenario_(scenario) {}

  ScriptNode* Find(std::string_view tag) {
    for (; covered_ < scenario_.ItemCount(); ++covered_) {
      ScriptNode* child = scenario_.ChildAt(covered_);
      if (child->name() == "country") first_.try_emplace(std::string(child->TextOf("tag")), child);
    }
    const auto found = first_.find(std::string(tag));
    return found == first_.end() ? nullptr : found->second;
  }

 private:
  const ScriptNode& scenario_;
  int covered_ = 0;
  std::unordered_map<std::string, ScriptNode*> first_;
};

// The id type of a country's units.
int32_t UnitIdTypeTable(std::string_view tag) {
  static constexpr std::array<std::pair<std::string_view, int32_t>, 78> kTypes{{
      {"GER", 14500}, {"AFG", 10000}, {"ARG", 12000}, {"AST", 10500}, {"AUS", 14000},
      {"BEL", 11500}, {"BHU", 16000}, {"BOL", 17000}, {"BRA", 18000}, {"BUL", 19000},
      {"CAN", 20000}, {"CGX", 22400}, {"CHC", 24000}, {"CHI", 22000}, {"CHL", 12500},
      {"COL", 23000}, {"COS", 25000}, {"CSX", 22300}, {"CUB", 26000}, {"CXB", 22200},
      {"CYN", 22100}, {"CZE", 26000}, {"DEN", 27000}, {"DOM", 28000}, {"ECU", 29000},
      {"EST", 30000}, {"ETH", 31000}, {"FIN", 32000}, {"FRA", 13500}, {"GRE", 15500},
      {"GUA", 16500}, {"HAI", 17500}, {"HOL", 18500}, {"HON", 19500}, {"HUN", 20500},
      {"IRE", 21500}, {"IRQ", 22500}, {"ITA", 23500}, {"JAP", 13016}, {"LAT", 24500},
      {"LIB", 25500}, {"LIT", 26500}, {"LUX", 27500}, {"MAN", 28500}, {"MEX", 29500},
      {"MON", 30500}, {"NEP", 31500}, {"NZL", 10600}, {"NIC", 11600}, {"NOR", 12600},
      {"OMN", 11114}, {"PAN", 14600}, {"PAR", 15600}, {"PER", 16600}, {"PRU", 17600},
      {"PHI", 11804}, {"POL", 18600}, {"POR", 19600}, {"ROM", 20600}, {"SAL", 21600},
      {"SAU", 22600}, {"SIA", 23600}, {"SIK", 25600}, {"SAF", 26600}, {"SOV", 10848},
      {"SPA", 27600}, {"SPR", 27600}, {"SWE", 29600}, {"SCH", 30600}, {"TAN", 31600},
      {"TIB", 10700}, {"TUR", 11700}, {"ENG", 12700}, {"URU", 13700}, {"USA", 14800},
      {"VEN", 15800}, {"YEM", 16800}, {"YUG", 19800},
  }};
  for (const auto& [listed, type] : kTypes)
    if (listed == tag) return type;
  return 26000;
}

// The first port among a country's owned provinces (the first "ownedprovinces"
// within it, as a list of numbers); 0 for none.
class PortFinder {
 public:
  explicit PortFinder(const std::set<int32_t>& ports) : ports_(ports) {}

  int32_t PortOf(const ScriptNode* target) const {
    if (ports_.empty()) return 0;
    const std::optional<ScriptMatch> owned = FirstMatch(target, "ownedprovinces", Words::kMatch);
    if (!owned || owned->index >= 0) return 0;
    const ScriptNode* list = owned->node;
    if (list->kind != kNumbers) return 0;
    for (int i = 0; i < list->ItemCount(); ++i) {
      const int32_t province = TruncateToInt32(list->NumberAt(i));
      if (ports_.count(province)) return province;
    }
    return 0;
  }

 private:
  const std::set<int32_t>& ports_;
};

// What a country without a row held in the save.
CountryFate DroppedFate(std::string sourceTag, const ScriptNode* source) {
  CountryFate fate(std::move(sourceTag), CountryFate::Kind::kDropped, {});
  if (const ScriptNode* owned = source->NumbersOf("ownedprovinces")) fate.heldProvinces = owned->ItemCount();
  std::vector<ScriptMatch> units;
  for (const char* key : {"landunit", "navalunit"}) source->FindAll(key, &units, ScriptNode::kUnlimited);
  for (const ScriptMatch& unit : units) fate.heldUnits += unit.index < 0;
  return fate;
}

// What the per-country steps of one conversion share.
struct CountryConversion {
  const CountryInputs& inputs;
  ScriptNode& scenario;
  SourceProvinces& facts;
  TargetProvinces& targets;
  CountryProfiles& countries;
  PortFinder ports;
  int32_t nextUnitId = 8100;
  std::unordered_map<const ScriptNode*, CountryEntries> entries{};

  // Both give what the source country added to target.
  CountryFate Convert(ScriptNode* target, const ScriptNode* source, const std::string& tag);
  CountryFate Merge(ScriptNode* existing, const ScriptNode* source, const std::string& sourceTag,
                    const std::string& mother);
};

CountryFate CountryConversion::Convert(ScriptNode* target, const ScriptNode* source, const std::string& tag) {
  CountryFate fate({}, CountryFate::Kind::kConverted, tag);
  const ProvinceMap& provinces = inputs.provinces;
  const UnitIds ids{UnitIdTypeTable(tag), nextUnitId};
  AddTextValue(target, "tag", tag);
  countries.alignments.push_back(ConvertPolitics(target, source, tag));
  const int32_t capital = TruncateToInt32(ConvertCapital(provinces, target, source, facts));
  AddProvinceLists(target);
  fate.provinces = ConvertProvinceLists(provinces, target, source, targets);
  const int32_t port = ports.PortOf(target);
  ConvertResources(target, source, tag, false, countries);
  ConvertDiplomacy(target, source, inputs.tags);
  CountryEntries& entry = entries[target];
  ConvertConvoys(target, source, entry.transports);
  countries.techCounts.push_back(ConvertTechnology(target, source, tag));
  const std::optional<ScriptMatch> techapps = FirstMatch(target, "techapps", Words::kPassOver);
  entry.techapps = techapps ? techapps->node : nullptr;
  fate.divisions = ConvertLandForces(provinces, inputs.settings.factors, target, source, ids, capital).divisions;
  fate.navalUnits =
      ConvertNavalForces(provinces, inputs.settings.factors, target, source, entry.techapps, ids, port).units;
  ConvertFactories(source, facts);
  AssignAirBases(target, capital, countries.OtherTechCount(tag), targets);
  if (std::optional<SubjectLink> link = ConvertDominions(tag, source))
    countries.subjects.push_back(std::move(*link));
  return fate;
}

CountryFate CountryConversion::Merge(ScriptNode* existing, const ScriptNode* source,
                                     const std::string& sourceTag, const std::string& mother) {
  const ProvinceMap& provinces = inputs.provinces;
  const UnitIds ids{UnitIdTypeTable(sourceTag), nextUnitId};
  CountryFate fate(sourceTag, CountryFate::Kind::kMerged, mother);
  fate.provinces = ConvertProvinceLists(provinces, existing, source, targets);
  ConvertResources(existing, source, mother, true, countries);
  CountryEntries& entry = entries.at(existing);
  fate.divisions = ConvertLandForces(provinces, inputs.settings.factors, existing, source, ids, 0).divisions;
  fate.navalUnits =
      ConvertNavalForces(provinces, inputs.settings.factors, existing, source, entry.techapps, ids, 0).units;
  ConvertConvoys(existing, source, entry.transports);
  ConvertFactories(source, facts);
  DeferAirBases(existing, countries.OtherTechCount(mother), targets);
  return fate;
}

}  // namespace

std::vector<CountryFate> ConvertCountries(const ScriptNode& save, const CountryInputs& inputs,
                                          ScriptNode& scenario, SourceProvinces& facts,
                                          TargetProvinces& targets, CountryProfiles& countries) {
  CountryConversion conversion{inputs, scenario, facts, targets, countries, PortFinder(inputs.settings.ports)};
  std::vector<CountryFate> fates;
  std::vector<const ScriptNode*> deferred;
  for (int i = 0; i < save.ItemCount(); ++i) {
    const ScriptNode* source = save.ChildAt(i);
    if (source->name() != "country") continue;
    const std::string sourceTag(source->TextOf("tag"));
    if (sourceTag.empty()) continue;
    const std::string& targetTag = inputs.tags.TargetOf(sourceTag);
    if (targetTag.empty()) {
      deferred.push_back(source);
      continue;
    }
    ScriptNode* target = scenario.AddChild("country");
    fates.push_back(conversion.Convert(target, source, targetTag));
    fates.back().sourceTag = sourceTag;
    target->kind = kBlock;
  }

  CountriesByTag byTag(scenario);
  for (const ScriptNode* source : deferred) {
    const std::string sourceTag(source->TextOf("tag"));
    const std::string& mother = inputs.tags.MotherOf(sourceTag);
    if (mother.empty()) {
      fates.push_back(DroppedFate(sourceTag, source));
      continue;
    }
    if (ScriptNode* existing = byTag.Find(mother)) {
      fates.push_back(conversion.Merge(existing, source, sourceTag, mother));
      continue;
    }
    ScriptNode* founded = scenario.AddChild("country");
    fates.push_back(conversion.Convert(founded, source, mother));
    fates.back().sourceTag = sourceTag;
    fates.back().kind = CountryFate::Kind::kFounded;
    founded->kind = kBlock;
    if (ScriptNode* selectable = scenario.FirstWithin("selectable")) selectable->AddString(kWords, mother);
  }
  FlushAirBases(targets);
  return fates;
}
