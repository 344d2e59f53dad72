#include "refdata/province_map.h"

#include <string>
#include <utility>

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

}  // namespace

bool ProvinceMap::Build(std::string_view name, StatusLog& log) {
  log.AddLine("Loading " + std::string(name) + "...");
  for (const TableRow& row : kTable) Set(row.sourceId, TargetsOf(row));
  log.AddLine(std::to_string(entries_.size()) + " provinces loaded.");
  log.AddLine("");
  return true;
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
