// The conversion driver: the order of the steps, the tag tables, the province
// records, the player's country, the scenario header and the event includes.
#include "convert/scenario_converter.h"

#include <algorithm>

#include "refdata/country_rows.h"
#include "refdata/province_map.h"

ScenarioConverter::ScenarioConverter() = default;

ScenarioConverter::~ScenarioConverter() { ScriptNode::DeleteTree(sourceRoot); }

ConversionResult ScenarioConverter::Convert(const ProvinceMap& provinces, const ScriptFile& countriesFile,
                               const ScriptFile& basesFile, const ScriptFile& dataFile,
                               StatusLog& log) {
  const ScriptNode* header = root ? root->FirstChild("header") : nullptr;
  if (!header || !HasWithin(header, "pop")) {
    log.AddLine("");
    log.AddLine("NOT A SALTMARCH SAVE GAME FILE!");
    log.AddLine("Please retry with proper file.");
    log.AddLine("Aborting, Aborting ...");
    return ConversionResult::kNotASave;
  }
  log.AddLine("Converting file...");

  selectableCount = 0;
  resultCode = ConversionResult::kConverted;
  ScriptNode::DeleteTree(sourceRoot);
  sourceRoot = root;
  root = ScriptNode::NewRoot();

  LoadTagTables(countriesFile);
  LoadSettings(dataFile);
  LoadUnitRatios(dataFile);
  if (resultCode != ConversionResult::kConverted) return resultCode;

  BuildTagMaps();
  BuildProvinceRecords(provinces);
  AddTextValue(root, "name", "\"Converted game from Saltmarch\"");
  std::string player = FindPlayerTag();
  AddTextValue(root, "saved", player);
  WriteHeader(player);
  CollectProvinceData();
  ConvertCountries(provinces);
  if (resultCode != ConversionResult::kConverted) return resultCode;
  ConvertProvinceBuildings(provinces);
  if (basesFile.root) basesFile.root->CopyItemsTo(root, ScriptNode::kUnlimited);
  WriteEventIncludes();
  ConvertAlliances();

  ScriptNode::DeleteTree(sourceRoot);
  sourceRoot = nullptr;
  return resultCode;
}

void ScenarioConverter::LoadTagTables(const ScriptFile& countriesFile) {
  const ScriptNode* fileRoot = countriesFile.root;
  tagTableNode = fileRoot ? fileRoot->FirstChild("tag_conversion_table") : nullptr;
  if (!tagTableNode) resultCode = ConversionResult::kNoTagTable;
  mergeTableNode = fileRoot ? fileRoot->FirstChild("mother_merge_table") : nullptr;
  if (!mergeTableNode) resultCode = ConversionResult::kNoMergeTable;
}

void ScenarioConverter::BuildTagMaps() {
  const auto fill = [](const ScriptNode* table, std::map<std::string, std::string>& map) {
    if (table->kind != kBlock) return;
    for (int i = 0; i < table->ItemCount(); ++i) {
      const ScriptNode* row = table->ChildAt(i);
      if (const std::optional<std::string_view> tag = TagOfRow(row))
        map[std::string(row->name())] = std::string(*tag);
    }
  };
  fill(tagTableNode, tagMap);
  fill(mergeTableNode, motherMap);
}

void ScenarioConverter::BuildProvinceRecords(const ProvinceMap& provinces) {
  provinces.ForEach([this](ProvinceId, const ProvinceMap::TargetList& list) {
    if (!ProvinceMap::IsMergeMarker(list)) {
      targetProvinceIds.insert(targetProvinceIds.end(), list.begin(), list.end());
    } else if (list[1] == 3003) {
      targetProvinceIds.push_back(list[0]);
    }
  });
  provinceRecords.reserve(targetProvinceIds.size());
  for (int32_t id : targetProvinceIds) {
    ProvinceRecord record;
    record.id = id;
    provinceRecords.push_back(record);
  }
}

std::string ScenarioConverter::FindPlayerTag() {
  std::vector<ScriptMatch> matches;
  sourceRoot->FindAll("playername", &matches, 2, 0);
  std::string sourceTag;
  for (const ScriptMatch& match : matches) {
    sourceTag = std::string(match.node->parent->name());
    const std::optional<std::string_view> text = match.node->FirstText();
    if (match.index >= 0 || !text) continue;
    std::string name(*text);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    if (!name.substr(name.rfind(':') == std::string::npos ? 0 : name.rfind(':') + 1).empty())
      break;
  }
  auto converted = tagMap.find(sourceTag);
  if (converted != tagMap.end()) return converted->second;
  return motherMap[sourceTag];
}

void ScenarioConverter::WriteHeader(const std::string& player) {
  ScriptNode* header = root->AddChild("header");
  AddTextValue(header, "name", "\"Grand Campaign\"");
  AddNumberValue(header->AddChild("startdate"), "year", 1936);
  ScriptNode* selectable = header->AddChild("selectable");
  FillSelectable(selectable, header, player);

  ScriptNode* globaldata = root->AddChild("globaldata");
  for (auto [name, year] : {std::pair{"startdate", 1936}, std::pair{"enddate", 1949}}) {
    ScriptNode* date = globaldata->AddChild(name);
    AddNumberValue(date, "year", year);
    AddTextValue(date, "month", "january");
    AddNumberValue(date, "day", 0);
  }
}

void ScenarioConverter::FillSelectable(ScriptNode* selectable, ScriptNode* header,
                                       const std::string& player) {
  if (!player.empty()) {
    ++selectableCount;
    header->AddChild(player);
  }
  const ScriptNode* source = sourceRoot->FirstWithin("selectable");
  if (!source || !source->HoldsText()) return;
  for (int i = 0; i < source->ItemCount(); ++i) {
    std::string sourceTag(source->TextAt(i));
    auto converted = tagMap.find(sourceTag);
    if (converted == tagMap.end()) continue;
    selectable->AddString(kWords, converted->second);
    if (selectableCount < 10 && converted->second != player) {
      ++selectableCount;
      EnsureCountryEntry(header, sourceTag, true);
    }
  }
}

void ScenarioConverter::EnsureCountryEntry(ScriptNode* block, const std::string& sourceTag,
                                           bool create) {
  const std::string& target = tagMap[sourceTag];
  if (!block->FirstChild(target) && create) block->AddChild(target);
}

void ScenarioConverter::WriteEventIncludes() {
  AddTextValue(root, "include", "\"scenarios/1936/vp.inc\"");
  static constexpr const char* kEvents[] = {
      "\"db\\events\\RandomEvents.txt\"",       "\"db\\events\\secret_weapon_events.txt\"",
      "\"db\\events\\AI_capital_move.txt\"",    "\"db\\events\\AI_ministers.txt\"",
      "\"db\\events\\AI_sliders.txt\"",         "\"db\\events\\AI_Inherit_Chi.txt\"",
      "\"db\\events\\AI_minorshutinvasion.txt\"", "\"db\\events\\sc events.txt\"",
      "\"db\\events\\ml events.txt\"",          "\"db\\events\\sl events.txt\"",
      "\"db\\events\\sd events.txt\"",          "\"db\\events\\election_events.txt\"",
      "\"db\\events\\AI_switches.txt\""};
  for (const char* event : kEvents) AddTextValue(root, "event", event);
}
