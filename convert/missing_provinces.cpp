// Target provinces left without an owner: the provinces the province map
// yields that no country received as owned or controlled. An assigner places
// them through the missing-province model, whose decisions are then written
// into the countries; without an assigner they stay unowned.
#include <algorithm>
#include <string_view>
#include <unordered_set>

#include "assign/missing_province_model.h"
#include "assign/province_assigner.h"
#include "convert/scenario_converter.h"

namespace {

// Every target id that was not assigned, in order; an id listed twice stays twice.
std::vector<int32_t> MissingProvinceIds(const std::vector<int32_t>& targetIds,
                                        std::vector<int32_t> assignedIds) {
  std::sort(assignedIds.begin(), assignedIds.end());
  std::vector<int32_t> missing;
  for (int32_t id : targetIds)
    if (!std::binary_search(assignedIds.begin(), assignedIds.end(), id)) missing.push_back(id);
  return missing;
}

// The tags of the scenario's country blocks.
std::unordered_set<std::string_view> CountryTags(const ScriptNode* root) {
  std::unordered_set<std::string_view> tags;
  for (int i = 0; i < root->ItemCount(); ++i) {
    const ScriptNode* country = root->ChildAt(i);
    if (country->name() == "country" && country->kind == kBlock)
      tags.insert(ScenarioConverter::TextValueOf(country, "tag"));
  }
  return tags;
}

// The values of the first "selectable" among the root's children and
// grandchildren that own a country block: provinces given to any other tag
// would be written nowhere.
std::vector<std::string> SelectableTags(const ScriptNode* root) {
  std::vector<std::string> tags;
  const ScriptNode* selectable = root->FirstWithin("selectable");
  if (!selectable || !selectable->HoldsText()) return tags;
  const std::unordered_set<std::string_view> countries = CountryTags(root);
  for (int i = 0; i < selectable->ItemCount(); ++i)
    if (countries.count(selectable->TextAt(i))) tags.emplace_back(selectable->TextAt(i));
  return tags;
}

}  // namespace

bool ScenarioConverter::AssignMissingProvinces() {
  std::vector<int32_t> missingIds = MissingProvinceIds(targetProvinceIds, assignedProvinceIds);
  if (missingIds.empty() || !assigner) return true;
  MissingProvinceModel model(std::move(missingIds), SelectableTags(root));
  if (!assigner->Assign(model) || model.TryFinish().has_value()) return false;
  model.ApplyTo(root);
  return true;
}
