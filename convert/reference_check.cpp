#include "convert/reference_check.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>
#include <string>
#include <string_view>

#include "convert/settings.h"
#include "refdata/country_rows.h"

namespace {

// Where findings about one file go.
class FileFindings {
 public:
  FileFindings(const ScriptFile& file, std::string path, std::vector<DataFinding>& out)
      : file_(file), path_(std::move(path)), out_(out) {}

  void Error(const ScriptNode* node, std::string message) { Add(true, node, std::move(message)); }
  void Warning(const ScriptNode* node, std::string message) { Add(false, node, std::move(message)); }
  uint32_t LineOf(const ScriptNode* node) const { return node ? file_.LineOf(node) : 0; }

  void SyntaxErrors() {
    for (const ScriptFile::SyntaxError& error : file_.syntaxErrors())
      out_.push_back({true, path_, error.line, error.message});
  }

 private:
  void Add(bool error, const ScriptNode* node, std::string message) {
    out_.push_back({error, path_, LineOf(node), std::move(message)});
  }

  const ScriptFile& file_;
  std::string path_;
  std::vector<DataFinding>& out_;
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

void CheckCountries(const ReferenceData& data, std::vector<DataFinding>& out) {
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
      findings.Warning(row.node, shown + row.target + " merges into " + onward->second.target +
                                     " itself; " + source + " still joins " + row.target);
    else if (!produced.count(row.target))
      findings.Warning(row.node, shown + "no row of tag_conversion_table produces " + row.target +
                                     "; the first country merged founds it");
  }
}

// Whether the table reaches a target province: as a value of a row, or as the
// province that merge markers point at.
std::set<ProvinceId> ReachedTargets(const ProvinceMap& provinces) {
  std::set<ProvinceId> reached;
  provinces.ForEach([&reached](ProvinceId, const ProvinceMap::TargetList& list) {
    if (ProvinceMap::IsMergeMarker(list))
      reached.insert(list.front());
    else
      reached.insert(list.begin(), list.end());
  });
  return reached;
}

bool IsWhole(double value) { return value == static_cast<double>(static_cast<int64_t>(value)); }

std::string NumberText(double value) {
  std::string text = std::to_string(value);
  text.erase(text.find_last_not_of('0') + 1);
  if (text.back() == '.') text.pop_back();
  return text;
}

void CheckPorts(const ScriptNode* ports, const std::set<ProvinceId>& reached, FileFindings& findings) {
  for (int i = 0; i < ports->ItemCount(); ++i) {
    const double id = ports->NumberAt(i);
    if (!IsWhole(id) || !reached.count(static_cast<ProvinceId>(id)))
      findings.Warning(ports, "ports: " + NumberText(id) + " is no province of the scenario map");
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
      findings.Warning(node, "ic_mod " + NumberText(value) + " is outside " + NumberText(kLowestIcModifier) +
                                 ".." + NumberText(kHighestIcModifier) + "; " + NumberText(used) + " is used");
  } else if (value <= 0) {
    findings.Warning(node, key + " should be a positive number");
  }
}

void CheckSettings(const ReferenceData& data, const std::set<ProvinceId>& reached,
                   std::vector<DataFinding>& out) {
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
    if (setting->key == "ports" && node->kind == kNumbers) CheckPorts(node, reached, findings);
  }
}

void CheckBases(const ReferenceData& data, const std::set<ProvinceId>& reached, std::vector<DataFinding>& out) {
  FileFindings findings(data.basesFile, data.PathOf(ReferencePart::kBases), out);
  findings.SyntaxErrors();
  const ScriptNode& root = data.basesFile.root();
  for (int i = 0; root.kind == kBlock && i < root.ItemCount(); ++i) {
    const ScriptNode* block = root.ChildAt(i);
    if (block->name() != "province") continue;
    const ScriptNode* id = block->FirstChild("id");
    const double value = block->NumberOf("id", 0);
    if (!IsWhole(value) || !reached.count(static_cast<ProvinceId>(value)))
      findings.Error(id ? id : block, "province " + NumberText(value) + " is no province of the scenario map");
  }
}

// A province of the built-in table's map that the table file no longer
// reaches; the file itself was checked as it was read.
void CheckProvinceFile(const ReferenceData& data, const std::set<ProvinceId>& reached,
                       std::vector<DataFinding>& out) {
  ProvinceMap builtIn;
  builtIn.Build();
  for (ProvinceId target : ReachedTargets(builtIn))
    if (!reached.count(target))
      out.push_back({false, data.PathOf(ReferencePart::kProvinces), 0,
                     "no row reaches province " + std::to_string(target) +
                         " of the scenario map: every conversion leaves it without an owner"});
}

}  // namespace

std::vector<DataFinding> CheckReferenceData(const ReferenceData& data) {
  std::vector<DataFinding> findings = data.provinceFindings;
  const std::set<ProvinceId> reached = ReachedTargets(data.provinces);
  if (data.provincesFromFile && data.Loaded(ReferencePart::kProvinces))
    CheckProvinceFile(data, reached, findings);
  if (data.Loaded(ReferencePart::kCountries)) CheckCountries(data, findings);
  if (data.Loaded(ReferencePart::kBases)) CheckBases(data, reached, findings);
  if (data.Loaded(ReferencePart::kData)) CheckSettings(data, reached, findings);
  return findings;
}
