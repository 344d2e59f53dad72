#include "refdata/province_map.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string>
#include <utility>

#include "refdata/finding_list.h"

namespace {

// The longest list of the built-in table.
constexpr int kMaxTargets = 10;

struct TableRow {
  int16_t sourceId;
  int16_t targets[kMaxTargets];  // slots after the last value stay 0, never a target id
};

constexpr TableRow kTable[] = {
#include "refdata/province_table.inc"
};

ProvinceMap::TargetList TargetsOf(const TableRow& row) {
  ProvinceMap::TargetList targets;
  for (int16_t value : row.targets) {
    if (value == 0) break;
    targets.push_back(value);
  }
  return targets;
}

constexpr int64_t kLargestId = 32767;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// The blank-separated fields of a line.
std::vector<std::string_view> FieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t at = 0;
  while (at < line.size()) {
    if (IsBlank(line[at])) {
      ++at;
      continue;
    }
    const size_t start = at;
    while (at < line.size() && !IsBlank(line[at])) ++at;
    fields.push_back(line.substr(start, at - start));
  }
  return fields;
}

// One row of a table file, with what is wrong with it.
class TableLine {
 public:
  TableLine(const std::string& file, uint32_t line, FindingList& findings)
      : file_(file), line_(line), findings_(findings) {}

  // The id a field holds, or none after saying why.
  std::optional<ProvinceId> Id(std::string_view field, const char* what) {
    int64_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error == std::errc::invalid_argument || end != field.data() + field.size()) {
      std::string message(1, '"');
      message.append(field).append("\" is not a province id (a whole number)");
      Problem(std::move(message));
      return std::nullopt;
    }
    if (error != std::errc() || value < 1 || value > kLargestId) {
      std::string message(what);
      message.append(" id ").append(field).append(" is outside 1..32767");
      Problem(std::move(message));
      return std::nullopt;
    }
    return static_cast<ProvinceId>(value);
  }
  void Problem(std::string message) { findings_.Add({true, file_, line_, std::move(message)}); }
  void Warning(std::string message) { findings_.Add({false, file_, line_, std::move(message)}); }

 private:
  const std::string& file_;
  uint32_t line_;
  FindingList& findings_;
};

// A value above 3000 is a merge marker, which stands only as the second of two.
bool MarkersInPlace(const ProvinceMap::TargetList& targets, TableLine& line) {
  bool inPlace = true;
  for (size_t i = 0; i < targets.size(); ++i) {
    if (targets[i] <= 3000 || (i == 1 && targets.size() == 2)) continue;
    line.Problem("the merge marker " + std::to_string(targets[i]) + " must be the second of exactly two values");
    inPlace = false;
  }
  return inPlace;
}

// A target listed twice in a row gets the source's share twice over.
void WarnOfRepeats(ProvinceId source, ProvinceMap::TargetList targets, TableLine& line) {
  std::sort(targets.begin(), targets.end());
  const auto repeated = std::adjacent_find(targets.begin(), targets.end());
  if (repeated != targets.end())
    line.Warning("source id " + std::to_string(source) + " lists target id " + std::to_string(*repeated) +
                 " more than once");
}

}  // namespace

size_t ProvinceMap::ScenarioProvinceCount() {
  static const size_t count = [] {
    ProvinceMap builtIn;
    builtIn.Build();
    return builtIn.ReachedTargets().size();
  }();
  return count;
}

std::set<ProvinceId> ProvinceMap::ReachedTargets() const {
  std::set<ProvinceId> reached;
  for (const auto& [sourceId, list] : entries_) {
    if (IsMergeMarker(list))
      reached.insert(list.front());
    else
      reached.insert(list.begin(), list.end());
  }
  return reached;
}

void ProvinceMap::Build() {
  for (const TableRow& row : kTable) Set(row.sourceId, TargetsOf(row));
}

std::vector<DataFinding> ProvinceMap::Read(std::string_view text, const std::string& file) {
  FindingList findings;
  std::map<ProvinceId, uint32_t> rowLines;
  uint32_t number = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::vector<std::string_view> fields = FieldsOf(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (fields.empty() || fields.front().front() == '#') continue;
    TableLine line(file, number, findings);
    const std::optional<ProvinceId> source = line.Id(fields.front(), "source");
    if (fields.size() - 1 > ScenarioProvinceCount()) {
      line.Problem("the row has " + std::to_string(fields.size() - 1) + " target ids, more than the " +
                   std::to_string(ScenarioProvinceCount()) + " provinces of the scenario map");
      continue;
    }
    TargetList targets;
    bool sound = source.has_value();
    for (size_t i = 1; i < fields.size(); ++i) {
      const std::optional<ProvinceId> target = line.Id(fields[i], "target");
      sound &= target.has_value();
      if (target) targets.push_back(*target);
    }
    if (!source) continue;
    const auto [first, fresh] = rowLines.try_emplace(*source, number);
    if (!fresh) {
      line.Problem("source id " + std::to_string(*source) + " is listed twice (first on line " +
                   std::to_string(first->second) + ")");
    } else if (fields.size() == 1) {
      line.Problem("source id " + std::to_string(*source) + " has no target ids");
    } else if (sound && MarkersInPlace(targets, line)) {
      WarnOfRepeats(*source, targets, line);
      Set(*source, std::move(targets));
    }
  }
  return findings.Findings();
}

std::string ProvinceMap::Text() const {
  std::string text;
  for (const auto& [sourceId, targets] : entries_) {
    text += std::to_string(sourceId);
    char separator = '\t';
    for (ProvinceId target : targets) {
      text += separator;
      text += std::to_string(target);
      separator = ' ';
    }
    text += '\n';
  }
  return text;
}

void ProvinceMap::Set(ProvinceId sourceId, TargetList targets) { entries_[sourceId] = std::move(targets); }

const ProvinceMap::TargetList* ProvinceMap::Find(ProvinceId sourceId) const {
  auto found = entries_.find(sourceId);
  return found == entries_.end() ? nullptr : &found->second;
}

void ProvinceMap::ForEach(const Visitor& visit) const {
  for (const auto& [sourceId, targets] : entries_) visit(sourceId, targets);
}

void ProvinceMap::Clear() { entries_.clear(); }
