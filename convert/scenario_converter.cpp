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

PreparedConversion Prepare(std::string_view save, const ReferenceData& data, StatusLog& log,
                           bool withReport) {
  ScriptFile file;
  file.ReadBuffer(save, log);
  return Prepare(std::move(file), data, log, withReport);
}

PreparedConversion Prepare(ScriptFile save, const ReferenceData& data, StatusLog& log, bool withReport) {
  if (!IsSourceSave(save.root())) {
    log.AddLine("");
    log.AddLine("NOT A SALTMARCH SAVE GAME FILE!");
    log.AddLine("Please retry with proper file.");
    log.AddLine("Aborting, Aborting ...");
    return {ConversionResult::kNotASave, nullptr};
  }
  log.AddLine("Converting file...");

  const TagTables& tags = data.tables.tags;
  if (!tags.HasMergeTable()) return {ConversionResult::kNoMergeTable, nullptr};
  if (!tags.HasTagTable()) return {ConversionResult::kNoTagTable, nullptr};
  std::unique_ptr<PendingConversion> pending(new PendingConversion(std::move(save), data, withReport));
  PendingConversion& c = *pending;
  c.report_.settings = data.tables.settings;
  const ConversionSettings& settings = c.report_.settings;
  const ProvinceMap& provinces = data.provinces;
  const ScriptNode& source = c.save_.root();
  ScriptNode& scenario = c.scenario_.root();

  BuildProvinceRecords(provinces, c.targets_);
  AddTextValue(&scenario, "name", "\"Converted game from Saltmarch\"");
  const std::string player = FindPlayerTag(source, tags);
  AddTextValue(&scenario, "saved", player);
  WriteHeader(scenario, source, player, tags);
  CollectProvinceData(source, provinces, tags, c.facts_);
  c.report_.countries =
      ConvertCountries(source, {provinces, tags, settings}, scenario, c.facts_, c.targets_, c.countries_);
  ClaimProvinces(provinces, scenario, c.facts_.claims, c.targets_);
  DecideSharedProvinces(c.targets_);
  WriteSharedProvinces(scenario, c.targets_);
  c.missing_ = FindMissingProvinces(c.targets_, scenario);
  return {ConversionResult::kConverted, std::move(pending)};
}

PendingConversion::PendingConversion(ScriptFile save, const ReferenceData& data, bool withReport)
    : save_(std::move(save)),
      data_(data),
      withReport_(withReport),
      // The reader counts the read that met the end of the save among its reads.
      saveBytes_(save_.bytesRead > 0 ? save_.bytesRead - 1 : 0) {}

Conversion PendingConversion::Finish(const std::optional<ProvincePlacement>& placement) {
  ScriptNode& scenario = scenario_.root();
  if (!missing_.ids.empty() &&
      (!placement || !PlaceMissingProvinces(missing_, *placement, targets_, scenario, report_.placed)))
    return {ConversionResult::kAssignmentAborted, {}, {}};
  ConvertProvinceBuildings(data_.provinces, report_.settings, facts_, targets_, scenario);
  data_.basesFile.root().CopyItemsTo(&scenario, ScriptNode::kUnlimited);
  WriteEventIncludes(scenario);
  report_.alliances = ConvertAlliances(scenario, countries_);
  Conversion done{ConversionResult::kConverted, {}, {}};
  if (withReport_) {
    report_.wrongKinds = FindWrongKinds(save_.root());
    report_.unmappedProvinces = std::move(facts_.unmapped);
    report_.contests = std::move(targets_.contests);
    report_.reasons = std::move(targets_.reasons);
    done.report = BuildRunReport(report_, scenario, data_.provinces, saveBytes_);
  }
  save_.FreeTree();
  done.scenario = std::move(scenario_);
  return done;
}

Conversion Finish(PendingConversion& pending, ProvinceAssigner& assigner) {
  std::optional<ProvincePlacement> placement;
  if (!pending.missing().ids.empty()) placement = assigner.Place(pending.missing());
  return pending.Finish(placement);
}
