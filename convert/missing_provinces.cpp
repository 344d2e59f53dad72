#include "convert/missing_provinces.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>

namespace {

// Every target id that was not assigned, in order; an id listed twice stays twice.
std::vector<ProvinceId> MissingProvinceIds(const std::vector<ProvinceId>& targetIds,
                                           std::vector<ProvinceId> assignedIds) {
  std::sort(assignedIds.begin(), assignedIds.end());
  std::vector<ProvinceId> missing;
  for (ProvinceId id : targetIds)
    if (!std::binary_search(assignedIds.begin(), assignedIds.end(), id)) missing.push_back(id);
  return missing;
}

// The tags of the scenario's country blocks.
std::unordered_set<std::string_view> CountryTags(const ScriptNode& scenario) {
  std::unordered_set<std::string_view> tags;
  for (int i = 0; i < scenario.ItemCount(); ++i) {
    const ScriptNode* country = scenario.ChildAt(i);
    if (country->name() == "country" && country->kind == kBlock) tags.insert(country->TextOf("tag"));
  }
  return tags;
}

// The values of the first "selectable" among the scenario's children and
// grandchildren that own a country block.
std::vector<std::string> OfferedTags(const ScriptNode& scenario) {
  std::vector<std::string> tags;
  const ScriptNode* selectable = scenario.FirstWithin("selectable");
  if (!selectable || !selectable->HoldsText()) return tags;
  const std::unordered_set<std::string_view> countries = CountryTags(scenario);
  for (int i = 0; i < selectable->ItemCount(); ++i)
    if (countries.count(selectable->TextAt(i))) tags.emplace_back(selectable->TextAt(i));
  return tags;
}

// Whether the placement gives every missing id, as often as it is missing,
// and nothing else, to offered countries.
bool PlacesEach(const ProvincePlacement& placement, const MissingProvinces& missing) {
  std::vector<ProvinceId> placed;
  for (const ProvinceAssignment& assignment : placement) {
    if (std::find(missing.tags.begin(), missing.tags.end(), assignment.tag) == missing.tags.end())
      return false;
    placed.insert(placed.end(), assignment.ids.begin(), assignment.ids.end());
  }
  std::vector<ProvinceId> expected = missing.ids;
  std::sort(placed.begin(), placed.end());
  std::sort(expected.begin(), expected.end());
  return placed == expected;
}

void AppendIds(ScriptNode* country, std::string_view key, const std::vector<ProvinceId>& ids) {
  ScriptNode* list = country->FirstChild(key);
  if (!list || (list->kind != kNumbers && list->kind != kUntyped)) return;
  for (ProvinceId id : ids) list->AddNumber(id);
}

void ApplyPlacement(const ProvincePlacement& placement, ScriptNode& scenario) {
  for (const ProvinceAssignment& assignment : placement) {
    for (int i = 0; i < scenario.ItemCount(); ++i) {
      ScriptNode* country = scenario.ChildAt(i);
      if (country->name() != "country" || country->TextOf("tag") != assignment.tag) continue;
      AppendIds(country, "ownedprovinces", assignment.ids);
      AppendIds(country, "controlledprovinces", assignment.ids);
    }
  }
}

}  // namespace

MissingProvinces FindMissingProvinces(const TargetProvinces& targets, const ScriptNode& scenario) {
  MissingProvinces missing{MissingProvinceIds(targets.ids, targets.assigned), {}};
  if (!missing.ids.empty()) missing.tags = OfferedTags(scenario);
  return missing;
}

bool PlaceMissingProvinces(const MissingProvinces& missing, const ProvincePlacement& placement,
                           TargetProvinces& targets, ScriptNode& scenario,
                           std::vector<ConversionReport::Placement>& placed) {
  if (!PlacesEach(placement, missing)) return false;
  ApplyPlacement(placement, scenario);
  for (const ProvinceAssignment& assignment : placement) {
    for (ProvinceId id : assignment.ids) {
      placed.push_back({id, assignment.tag, assignment.how});
      targets.reasons.try_emplace(id, OwnerReason::kPlaced);
    }
  }
  return true;
}
