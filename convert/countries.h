// Countries and tags: which countries the scenario has, under which tag, and
// the order of the per-country steps.
//
// Every source "country" with a target tag becomes a "country" block of the
// scenario, in source order, converted by every per-country step (politics,
// capital, province lists, resources, diplomacy, convoys, technology, land
// and naval forces, factories, air bases, subjects). Then each source country
// without one merges into its mother country: its provinces, resources,
// forces, convoys and factories join the first country block with the
// mother's tag, or found that country (added to "selectable") when there is
// none yet. Unit ids run on from 8100 through the whole conversion. Returns
// what became of each source country with a tag: converted, founded, merged
// (in that order of the steps) or dropped, with what it added or held.
#pragma once

#include <vector>

#include "convert/conversion_report.h"
#include "convert/conversion_state.h"
#include "refdata/settings.h"
#include "refdata/tag_tables.h"
#include "script/script_node.h"

// The fixed inputs of the per-country steps.
struct CountryInputs {
  const ProvinceMap& provinces;
  const TagTables& tags;
  const ConversionSettings& settings;
};

std::vector<CountryFate> ConvertCountries(const ScriptNode& save, const CountryInputs& inputs,
                                          ScriptNode& scenario, SourceProvinces& facts,
                                          TargetProvinces& targets, CountryProfiles& countries);
