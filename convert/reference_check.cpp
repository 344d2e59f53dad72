#include "convert/reference_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "refdata/country_rows.h"
#include "refdata/finding_list.h"
#include "refdata/settings.h"
#include "script/number_format.h"

namespace {

// Where findings about one file go.
class FileFindings {
 public:
  FileFindings(const ScriptFile& file, std::string path, FindingList& out)
      : file_(file), path_(std::move(path)), out_(out) {}

  void Error(const ScriptNode* node, std::string message) { Add(true, node, std::move(message)); }
  void Warning(const ScriptNode* node, std::string message) { Add(false, node, std::move(message)); }
  uint32_t LineOf(const ScriptNode* node) const { return node ? file_.LineOf(node) : 0; }

  void SyntaxErrors() {
    for (const ScriptFile::SyntaxError& error : file_.syntaxErrors()) out_.Add({true, path_, error.line, error.message});
    out_.AddOmittedErrors(path_, file_.errorCount - file_.syntaxErrors().size());
  }

 private:
  void Add(bool error, const ScriptNode* node, std::string message) {
    out_.Add({error, path_, LineOf(node), std::move(message)});
  }

  const ScriptFile& file_;
  std::string path_;
  FindingList& out_;
};

bool IsCountryTag(std::string_view tag) {
  return tag.size() == 3 && std::all_of(tag.begin(), tag.end(), [](unsigned char c) { return std::isalnum(c); });
}

std::string Quoted(std::string_view text) {
  std::string quoted(1, '"');
  quoted.append(text).push_back('"');
  return quoted;
}

// The rows of a table of Countries.txt: source tag to target tag and node,
// the later of two rows winning as it does in the conversion.
struct TagRow {
  std::string target;
  const ScriptNode* node;
};
using TagRows = std::map<std::string, TagRow>;

TagRows CheckTagTable(const ScriptNode* table, std::string_view name, FileFindings& findings) {
  TagRows rows;
  if (!table || table->kind != kBlock) return rows;
  for (int i = 0; i < table->ItemCount(); ++i) {
    const ScriptNode* row = table->ChildAt(i);
    const std::string source(row->name());
    const std::optional<std::string_view> tag = TagOfRow(row);
    const std::string shown = std::string(name) + ": " + source + " = ";
    if (!tag || !IsCountryTag(*tag)) {
      findings.Error(row, shown + Quoted(row->FirstText().value_or("")) +
                              ": a country tag must be three letters or digits");
      continue;
    }
    if (!IsCountryTag(source))
      findings.Warning(row, shown + std::string(*tag) + ": no save has a country tag like " + Quoted(source));
    const auto [earlier, fresh] = rows.try_emplace(source, TagRow{std::string(*tag), row});
    if (fresh) continue;
    findings.Warning(row, shown + std::string(*tag) + ": " + source + " is listed again; this row replaces the one on line " +
                              std::to_string(findings.LineOf(earlier->second.node)));
    earlier->second = {std::string(*tag), row};
  }
  return rows;
}

void CheckCountries(const ReferenceData& data, FindingList& out) {
  FileFindings findings(data.countriesFile, data.PathOf(ReferencePart::kCountries), out);
  findings.SyntaxErrors();
  const ScriptNode& root = data.countriesFile.root();
  const TagRows converted = CheckTagTable(root.FirstChild("tag_conversion_table"), "tag_conversion_table", findings);
  const TagRows merged = CheckTagTable(root.FirstChild("mother_merge_table"), "mother_merge_table", findings);
  std::set<std::string> produced;
  for (const auto& [source, row] : converted) produced.insert(row.target);
  for (const auto& [source, row] : merged) {
    const std::string shown = "mother_merge_table: " + source + " = " + row.target + ": ";
    const auto onward = merged.find(row.target);
    if (onward != merged.end() && onward->second.target != row.target)
      findings.Warning(row.node, shown + row.target + " merges on into " + onward->second.target +
                                     ", but merges are not followed: " + source + " goes to " + row.target);
    else if (!produced.count(row.target))
      findings.Warning(row.node, shown + "no row of tag_conversion_table produces " + row.target +
                                     "; the first country merged founds it");
  }
}

// The target provinces the table in use reaches, and those of the scenario
// map, which the built-in table reaches all of.
class ScenarioMap {
 public:
  // fromFile: whether inUse was read from a table file (else it is the built-in one).
  ScenarioMap(const ProvinceMap& inUse, bool fromFile) : reached_(inUse.ReachedTargets()) {
    if (!fromFile) {
      provinces_ = reached_;
      return;
    }
    ProvinceMap builtIn;
    builtIn.Build();
    provinces_ = builtIn.ReachedTargets();
  }

  const std::set<ProvinceId>& reached() const { return reached_; }
  const std::set<ProvinceId>& provinces() const { return provinces_; }

  // What is wrong with a province named by a data file, if anything; error
  // when it is no province of the map at all.
  std::optional<std::string> Problem(double value, bool& error) const {
    const bool inRange = value >= 1 && value <= 32767;  // within the ids of any table
    const ProvinceId id = inRange ? static_cast<ProvinceId>(value) : 0;
    const bool whole = inRange && static_cast<double>(id) == value;
    if (whole && reached_.count(id)) return std::nullopt;
    error = !whole || !provinces_.count(id);
    return error ? " is no province of the scenario map" : " is reached by no row of the province table";
  }

 private:
  std::set<ProvinceId> reached_;
  std::set<ProvinceId> provinces_;
};

// A port only ever matches a province some country owns: any problem is a warning.
void CheckPorts(const ScriptNode* ports, const ScenarioMap& map, FileFindings& findings) {
  for (int i = 0; i < ports->ItemCount(); ++i) {
    bool error = false;
    if (const std::optional<std::string> problem = map.Problem(ports->NumberAt(i), error))
      findings.Warning(ports, "ports: " + ShortNumber(ports->NumberAt(i)) + *problem);
  }
}

void CheckSetting(const ScriptNode* node, const SettingKey& setting, FileFindings& findings) {
  const std::string key(setting.key);
  const bool switchSetting = setting.kind == kWords;
  if (switchSetting ? !node->HoldsText() : node->kind != kNumbers || node->ItemCount() == 0) {
    findings.Warning(node, key + (switchSetting ? " should be yes or no" : " should be a number") +
                               "; this value is ignored");
    return;
  }
  if (switchSetting || key == "ports") return;
  const double value = node->NumberAt(0);
  if (key == "ic_mod") {
    const double used = std::clamp(value, kLowestIcModifier, kHighestIcModifier);
    if (used != value)
      findings.Warning(node, "ic_mod " + ShortNumber(value) + " is outside " + ShortNumber(kLowestIcModifier) +
                                 ".." + ShortNumber(kHighestIcModifier) + "; " + ShortNumber(used) + " is used");
  } else if (value <= 0) {
    findings.Warning(node, key + " should be a positive number");
  }
}

void CheckSettings(const ReferenceData& data, const ScenarioMap* map, FindingList& out) {
  FileFindings findings(data.dataFile, data.PathOf(ReferencePart::kData), out);
  findings.SyntaxErrors();
  const ScriptNode& root = data.dataFile.root();
  std::map<std::string_view, const ScriptNode*> seen;
  for (int i = 0; root.kind == kBlock && i < root.ItemCount(); ++i) {
    const ScriptNode* node = root.ChildAt(i);
    const auto setting = std::find_if(kSettingKeys.begin(), kSettingKeys.end(),
                                      [node](const SettingKey& s) { return s.key == node->name(); });
    if (setting == kSettingKeys.end()) {
      findings.Warning(node, "unknown setting " + Quoted(node->name()) + " (it is not read)");
      continue;
    }
    const auto [first, fresh] = seen.try_emplace(setting->key, node);
    if (!fresh) {
      findings.Warning(node, std::string(setting->key) + " is set again; the first one (line " +
                                 std::to_string(findings.LineOf(first->second)) + ") counts");
      continue;
    }
    CheckSetting(node, *setting, findings);
    if (setting->key == "ports" && node->kind == kNumbers && map) CheckPorts(node, *map, findings);
  }
}

// A base on a province the map does not have is written into every scenario:
// an error; one the table does not reach, a warning.
void CheckBases(const ReferenceData& data, const ScenarioMap* map, FindingList& out) {
  FileFindings findings(data.basesFile, data.PathOf(ReferencePart::kBases), out);
  findings.SyntaxErrors();
  const ScriptNode& root = data.basesFile.root();
  for (int i = 0; map && root.kind == kBlock && i < root.ItemCount(); ++i) {
    const ScriptNode* block = root.ChildAt(i);
    if (block->name() != "province") continue;
    const ScriptNode* id = block->FirstChild("id");
    const double value = block->NumberOf("id", 0);
    bool error = false;
    const std::optional<std::string> problem = map->Problem(value, error);
    if (!problem) continue;
    const std::string message = "province " + ShortNumber(value) + *problem;
    if (error)
      findings.Error(id ? id : block, message);
    else
      findings.Warning(id ? id : block, message);
  }
}

// A province of the scenario map that the table file no longer reaches; the
// file itself was checked as it was read.
void CheckProvinceFile(const ReferenceData& data, const ScenarioMap& map, FindingList& out) {
  for (ProvinceId target : map.provinces())
    if (!map.reached().count(target))
      out.Add({false, data.PathOf(ReferencePart::kProvinces), 0,
                     "no row reaches province " + std::to_string(target) +
                         " of the scenario map: every conversion leaves it without an owner"});
}

}  // namespace

std::vector<DataFinding> CheckReferenceData(const ReferenceData& data, FindingList::Kinds kinds) {
  FindingList findings(kinds);
  findings.Add(data.provinceFindings);
  // Provinces are checked against the table only when it could be read whole.
  const bool tableRead = data.Loaded(ReferencePart::kProvinces);
  const ScenarioMap scenarioMap(data.provinces, data.provincesFromFile);
  const ScenarioMap* map = tableRead ? &scenarioMap : nullptr;
  if (data.provincesFromFile && tableRead) CheckProvinceFile(data, scenarioMap, findings);
  if (data.Loaded(ReferencePart::kCountries)) CheckCountries(data, findings);
  if (data.Loaded(ReferencePart::kBases)) CheckBases(data, map, findings);
  if (data.Loaded(ReferencePart::kData)) CheckSettings(data, map, findings);
  return findings.Findings();
}
