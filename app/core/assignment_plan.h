// A plan placing the provinces a conversion left without an owner: entries
// TAG = { 550 551 }, in file order, as the command line's --assign reads them
// and as the plan to fill that it prints (and the page exports) is written.
//
// ReadPlan takes a plan whole or not at all. It refuses, saying why in the
// log: bytes that could not be read, that the reader finds errors in, or that
// are not made of such entries; an entry that is not a list of numbers; an
// entry whose braces are never closed; and any province id not written as a
// whole number (667.5, 668x, 1e9 or 0x10, which the reader would take as other
// ids). The last two name their line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "refdata/province_map.h"
#include "script/status_log.h"

struct PlanEntry {
  std::string tag;
  std::vector<ProvinceId> ids;
};

// The entries of a plan's bytes (none: they could not be read), named by name
// in the messages.
std::optional<std::vector<PlanEntry>> ReadPlan(const std::optional<std::string_view>& bytes,
                                               const std::string& name, StatusLog& messages);

// A plan to fill or to keep: comment lines naming the offered countries and
// the provinces still without one (labels, control characters escaped so
// that the plan reads back), then the entries given, then an empty entry for
// every offered country that has none.
struct PlanToWrite {
  std::vector<std::string> offered;
  std::vector<std::string> unplacedLabels;
  std::vector<PlanEntry> entries;
};
std::string PlanText(const PlanToWrite& plan);
