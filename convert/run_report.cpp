#include "convert/run_report.h"

#include <map>
#include <set>

#include "script/number_format.h"

namespace {

std::vector<RunReport::Setting> SettingsOf(const ConversionSettings& settings) {
  std::vector<RunReport::Setting> shown{{"ic_mod", ShortNumber(settings.icModifier)},
                                        {"convert_manpower", settings.convertManpower ? "yes" : "no"}};
  const double factors[] = {settings.factors.infantry, settings.factors.irregular, settings.factors.armor,
                            settings.factors.navy,     settings.factors.destroyer, settings.factors.transport};
  for (size_t k = 0; k < kRatioKeys.size(); ++k)
    shown.push_back({std::string(kRatioKeys[k]),
                     ShortNumber(settings.ratios[k]) + " (factor " + ShortNumber(factors[k]) + ")"});
  return shown;
}

const char* FateName(CountryFate::Kind kind) {
  switch (kind) {
    case CountryFate::Kind::kConverted: return "converted";
    case CountryFate::Kind::kFounded: return "founded";
    case CountryFate::Kind::kMerged: return "merged";
    case CountryFate::Kind::kDropped: break;
  }
  return "dropped";
}

const char* ReasonName(OwnerReason reason) {
  switch (reason) {
    case OwnerReason::kDirect: return "direct";
    case OwnerReason::kContestWon: return "contest won";
    case OwnerReason::kClaim: return "claim";
    case OwnerReason::kPlaced: break;
  }
  return "placed as missing";
}

// What the saved scenario says of each province: the first country listing it
// as owned and as controlled, and the size of its first "ic" building.
struct ScenarioFacts {
  std::vector<ProvinceId> provinces;  // of the province blocks, each once, in order
  std::map<ProvinceId, std::string> owners;
  std::map<ProvinceId, std::string> controllers;
  std::map<ProvinceId, int> capacities;
};

void NoteList(const ScriptNode* country, std::string_view key, std::map<ProvinceId, std::string>& holders) {
  const ScriptNode* list = country->NumbersOf(key);
  for (int i = 0; list && i < list->ItemCount(); ++i)
    holders.try_emplace(TruncateToInt32(list->NumberAt(i)), std::string(country->TextOf("tag")));
}

ScenarioFacts FactsOf(const ScriptNode& scenario) {
  ScenarioFacts facts;
  for (int i = 0; i < scenario.ItemCount(); ++i) {
    const ScriptNode* block = scenario.ChildAt(i);
    if (block->name() == "country") {
      NoteList(block, "ownedprovinces", facts.owners);
      NoteList(block, "controlledprovinces", facts.controllers);
    } else if (block->name() == "province") {
      const ProvinceId id = TruncateToInt32(block->NumberOf("id", 0));
      const ScriptNode* ic = block->FirstChild("ic");
      if (ic && facts.capacities.try_emplace(id, TruncateToInt32(ic->NumberOf("size", 0))).second)
        facts.provinces.push_back(id);
    }
  }
  return facts;
}

// The source provinces behind each target province.
std::map<ProvinceId, std::vector<ProvinceId>> SourcesOf(const ProvinceMap& table) {
  std::map<ProvinceId, std::vector<ProvinceId>> sources;
  table.ForEach([&sources](ProvinceId source, const ProvinceMap::TargetList& list) {
    if (ProvinceMap::IsMergeMarker(list)) {
      sources[list.front()].push_back(source);
      return;
    }
    for (ProvinceId target : std::set<ProvinceId>(list.begin(), list.end())) sources[target].push_back(source);
  });
  return sources;
}

RunReport::Country CountryRow(const CountryFate& fate, const ScenarioFacts& facts) {
  RunReport::Country row;
  row.source = fate.sourceTag;
  row.fate = FateName(fate.kind);
  row.target = fate.targetTag;
  row.provinces = static_cast<int>(fate.provinces.size());
  row.divisions = fate.divisions;
  row.navalUnits = fate.navalUnits;
  for (ProvinceId id : fate.provinces) {
    const auto capacity = facts.capacities.find(id);
    if (capacity != facts.capacities.end()) row.industrialCapacity += capacity->second;
  }
  row.heldProvinces = fate.heldProvinces;
  row.heldUnits = fate.heldUnits;
  return row;
}

}  // namespace

RunReport BuildRunReport(const ConversionReport& done, const ScriptNode& scenario, const ProvinceMap& table,
                         uint64_t saveBytes) {
  RunReport report;
  report.saveBytes = saveBytes;
  report.settings = SettingsOf(done.settings);

  const ScenarioFacts facts = FactsOf(scenario);
  for (const CountryFate& fate : done.countries) report.countries.push_back(CountryRow(fate, facts));
  report.unmapped = done.unmappedProvinces;
  report.contests = done.contests;
  report.placed = done.placed;
  report.alliances = done.alliances;
  report.wrongKinds = done.wrongKinds;

  std::map<std::string, RunReport::ScenarioCountry> byTag;  // in tag order
  for (const auto& [id, owner] : facts.owners) {
    RunReport::ScenarioCountry& country = byTag.try_emplace(owner, RunReport::ScenarioCountry{owner, 0, 0}).first->second;
    ++country.owned;
    if (const auto capacity = facts.capacities.find(id); capacity != facts.capacities.end())
      country.industrialCapacity += capacity->second;
  }
  for (auto& entry : byTag) report.scenarioCountries.push_back(std::move(entry.second));

  const std::map<ProvinceId, std::vector<ProvinceId>> sources = SourcesOf(table);
  // The provinces of the scenario's blocks, then those only a country's lists name
  // (the targets that only secondary merge markers reach).
  std::vector<ProvinceId> ids = facts.provinces;
  const std::set<ProvinceId> blocks(ids.begin(), ids.end());
  std::set<ProvinceId> listed;
  for (const auto* holders : {&facts.owners, &facts.controllers})
    for (const auto& [id, tag] : *holders)
      if (!blocks.count(id)) listed.insert(id);
  ids.insert(ids.end(), listed.begin(), listed.end());
  for (ProvinceId id : ids) {
    RunReport::Province province;
    province.id = id;
    if (const auto owner = facts.owners.find(id); owner != facts.owners.end()) province.owner = owner->second;
    if (const auto holder = facts.controllers.find(id); holder != facts.controllers.end())
      province.controller = holder->second;
    if (const auto behind = sources.find(id); behind != sources.end()) province.sources = behind->second;
    if (const auto reason = done.reasons.find(id); reason != done.reasons.end() && !province.owner.empty())
      province.reason = ReasonName(reason->second);
    report.provinces.push_back(std::move(province));
  }
  return report;
}
