// Countries and tags: which countries the scenario has, under which tag, and
// the order of the per-country steps.
#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>

#include "convert/scenario_converter.h"
#include "script/number_format.h"

namespace {

// The first of a node's matches that FindAll would give at unlimited depth, as
// FindAll orders them; the search stops there.
std::optional<ScriptMatch> FirstMatch(const ScriptNode* node, std::string_view searched) {
  if (node->HoldsText()) {
    for (int i = 0; i < node->ItemCount(); ++i)
      if (node->TextAt(i) == searched) return ScriptMatch{const_cast<ScriptNode*>(node), i, 0};
    return std::nullopt;
  }
  if (node->kind != kBlock) return std::nullopt;
  for (int i = 0; i < node->ItemCount(); ++i) {
    ScriptNode* child = node->ChildAt(i);
    if (child->name() == searched) return ScriptMatch{child, -1, 0};
    if (std::optional<ScriptMatch> within = FirstMatch(child, searched)) return within;
  }
  return std::nullopt;
}

// The first country block among the root's children with each tag. The root
// only grows while countries are converted; each lookup first takes in the
// children added since the one before.
class CountriesByTag {
 public:
  explicit CountriesByTag(const ScriptNode* root) : root_(root) {}

  ScriptNode* Find(std::string_view tag) {
    for (; covered_ < root_->ItemCount(); ++covered_) {
      ScriptNode* child = root_->ChildAt(covered_);
      if (child->name() == "country") first_.try_emplace(std::string(child->TextOf("tag")), child);
    }
    const auto found = first_.find(std::string(tag));
    return found == first_.end() ? nullptr : found->second;
  }

 private:
  const ScriptNode* root_;
  int covered_ = 0;
  std::unordered_map<std::string, ScriptNode*> first_;
};

}  // namespace

int32_t ScenarioConverter::UnitIdTypeTable(std::string_view tag) {
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

void ScenarioConverter::ConvertCountries(const ProvinceMap& provinces) {
  int32_t nextUnitId = 8100;
  std::vector<ScriptNode*> deferredCountries;
  std::vector<ScriptMatch> countries;
  sourceRoot->FindAll("country", &countries, 0, 0);
  for (const ScriptMatch& match : countries) {
    ScriptNode* source = match.node;
    std::string sourceTag(source->TextOf("tag"));
    if (sourceTag.empty()) continue;
    const std::string targetTag = tagMap[sourceTag];
    if (targetTag.empty()) {
      deferredCountries.push_back(source);
      continue;
    }
    ScriptNode* target = root->AddChild("country");
    ConvertCountry(provinces, target, source, targetTag, nextUnitId);
    target->kind = kBlock;
  }
  MergeDeferredCountries(provinces, deferredCountries, nextUnitId);
  ClaimProvinces(provinces);
  DecideSharedProvinces();
  WriteSharedProvinces();
  if (!AssignMissingProvinces()) resultCode = ConversionResult::kAssignmentAborted;
}

void ScenarioConverter::MergeDeferredCountries(const ProvinceMap& provinces,
                                               const std::vector<ScriptNode*>& deferredCountries,
                                               int32_t& nextUnitId) {
  CountriesByTag countries(root);
  for (ScriptNode* source : deferredCountries) {
    const std::string sourceTag(source->TextOf("tag"));
    const std::string mother = motherMap[sourceTag];
    if (mother.empty()) continue;

    if (ScriptNode* existing = countries.Find(mother)) {
      const int32_t unitIdType = UnitIdTypeTable(sourceTag);
      ConvertProvinceLists(provinces, existing, source);
      ConvertResources(existing, source, mother, true);
      ConvertLandForces(provinces, existing, source, unitIdType, 0, nextUnitId);
      ConvertNavalForces(provinces, existing, source, unitIdType, 0, nextUnitId);
      ConvertConvoys(existing, source);
      ConvertFactories(source, nextUnitId);
      DeferAirBases(existing, mother);
      continue;
    }
    ScriptNode* founded = root->AddChild("country");
    ConvertCountry(provinces, founded, source, mother, nextUnitId);
    founded->kind = kBlock;
    if (ScriptNode* selectable = root->FirstWithin("selectable")) selectable->AddString(kWords, mother);
  }
  FlushAirBases();
}

void ScenarioConverter::ConvertCountry(const ProvinceMap& provinces, ScriptNode* target,
                                       ScriptNode* source, std::string tag, int32_t& nextUnitId) {
  const int32_t unitIdType = UnitIdTypeTable(tag);
  AddTextValue(target, "tag", tag);
  ConvertPolitics(target, source, tag);
  const int32_t capital = TruncateToInt32(ConvertCapital(provinces, target, source));
  for (const std::string& key : targetProvinceKeys) target->AddChild(key);
  ConvertProvinceLists(provinces, target, source);
  const int32_t port = PortProvince(target);
  ConvertResources(target, source, tag, false);
  ConvertDiplomacy(target, source);
  ConvertConvoys(target, source);
  ConvertTechnology(target, source, tag);
  ConvertLandForces(provinces, target, source, unitIdType, capital, nextUnitId);
  ConvertNavalForces(provinces, target, source, unitIdType, port, nextUnitId);
  ConvertFactories(source, nextUnitId);
  AssignAirBases(target, capital, tag);
  ConvertDominions(tag, source);
}

int32_t ScenarioConverter::PortProvince(const ScriptNode* target) const {
  if (!portsNode) return 0;
  const std::optional<ScriptMatch> owned = FirstMatch(target, "ownedprovinces");
  if (!owned || owned->index >= 0) return 0;
  const ScriptNode* list = owned->node;
  if (list->kind != kNumbers) return 0;
  if (indexedPorts != portsNode) {
    portIds.clear();
    for (int j = 0; j < portsNode->ItemCount(); ++j) portIds.insert(TruncateToInt32(portsNode->NumberAt(j)));
    indexedPorts = portsNode;
  }
  for (int i = 0; i < list->ItemCount(); ++i) {
    const int32_t province = TruncateToInt32(list->NumberAt(i));
    if (portIds.count(province)) return province;
  }
  return 0;
}
