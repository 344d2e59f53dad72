// The plan of --assign: entries TAG = { 550 551 }, in file order.
//
// ReadPlan takes a plan whole or not at all. It refuses, saying why on standard
// error: a file the reader cannot read or finds errors in, or that is not made
// of such entries; an entry that is not a list of numbers; an entry whose
// braces are never closed; and any province id not written as a whole number
// (667.5, 668x, 1e9 or 0x10, which the reader would take as other ids). The
// last two name their line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "refdata/province_map.h"

struct PlanEntry {
  std::string tag;
  std::vector<ProvinceId> ids;
};

std::optional<std::vector<PlanEntry>> ReadPlan(const std::string& path);
