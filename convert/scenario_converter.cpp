#include "convert/scenario_converter.h"

#include <string>
#include <utility>

#include "convert/alliances.h"
#include "convert/conversion_state.h"
#include "convert/countries.h"
#include "convert/economy.h"
#include "convert/missing_provinces.h"
#include "convert/provinces.h"
#include "convert/scenario_header.h"
#include "convert/value_access.h"
#include "convert/wrong_kinds.h"

namespace {

// Whether name is a node among the children and grandchildren of node, or a
// word of its own or its children's lists.
bool HasWithin(const ScriptNode* node, std::string_view name) {
  const auto lists = [name](const ScriptNode* list) {
    if (!list->HoldsText()) return false;
    for (int i = 0; i < list->ItemCount(); ++i)
      if (list->TextAt(i) == name) return true;
    return false;
  };
  if (node->FirstWithin(name)) return true;
  if (node->kind != kBlock) return lists(node);
  for (int i = 0; i < node->ItemCount(); ++i)
    if (lists(node->ChildAt(i))) return true;
  return false;
}

bool IsSourceSave(const ScriptNode& root) {
  const ScriptNode* header = root.FirstChild("header");
  return header && HasWithin(header, "pop");
}

}  // namespace

Conversion Convert(ScriptFile save, const ReferenceData& data, ProvinceAssigner* assigner,
                   StatusLog& log, bool findWrongKinds) {
  if (!IsSourceSave(save.root())) {
    log.AddLine("");
    log.AddLine("NOT A SALTMARCH SAVE GAME FILE!");
    log.AddLine("Please retry with proper file.");
    log.AddLine("Aborting, Aborting ...");
    return {ConversionResult::kNotASave, {}, {}};
  }
  log.AddLine("Converting file...");

  const TagTables& tags = data.tables.tags;
  if (!tags.HasMergeTable()) return {ConversionResult::kNoMergeTable, {}, {}};
  if (!tags.HasTagTable()) return {ConversionResult::kNoTagTable, {}, {}};
  ConversionReport report;
  report.settings = data.tables.settings;
  const ConversionSettings& settings = report.settings;
  const ProvinceMap& provinces = data.provinces;
  const ScriptNode& source = save.root();

  ScriptFile scenarioFile;
  ScriptNode& scenario = scenarioFile.root();
  SourceProvinces facts;
  TargetProvinces targets;
  CountryProfiles countries;

  BuildProvinceRecords(provinces, targets);
  AddTextValue(&scenario, "name", "\"Converted game from Saltmarch\"");
  const std::string player = FindPlayerTag(source, tags);
  AddTextValue(&scenario, "saved", player);
  WriteHeader(scenario, source, player, tags);
  CollectProvinceData(source, provinces, tags, facts);
  report.countries = ConvertCountries(source, {provinces, tags, settings}, scenario, facts, targets, countries);
  ClaimProvinces(provinces, scenario, facts.claims, targets);
  DecideSharedProvinces(targets);
  WriteSharedProvinces(scenario, targets);
  if (!AssignMissingProvinces(targets, scenario, assigner, report.placed))
    return {ConversionResult::kAssignmentAborted, {}, {}};
  ConvertProvinceBuildings(provinces, settings, facts, targets, scenario);
  data.basesFile.root().CopyItemsTo(&scenario, ScriptNode::kUnlimited);
  WriteEventIncludes(scenario);
  report.alliances = ConvertAlliances(scenario, countries);
  if (findWrongKinds) report.wrongKinds = FindWrongKinds(source);
  report.unmappedProvinces = std::move(facts.unmapped);
  report.contests = std::move(targets.contests);
  report.reasons = std::move(targets.reasons);
  // The reader counts the read that met the end of the save among its reads.
  const uint64_t saveBytes = save.bytesRead > 0 ? save.bytesRead - 1 : 0;
  return {ConversionResult::kConverted, std::move(scenarioFile), std::move(report), saveBytes};
}
