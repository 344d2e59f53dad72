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
// none yet. Unit ids run on from 8100 through the whole conversion.
#pragma once

#include "convert/conversion_state.h"
#include "convert/settings.h"
#include "convert/tag_tables.h"
#include "script/script_node.h"

// The fixed inputs of the per-country steps.
struct CountryInputs {
  const ProvinceMap& provinces;
  const TagTables& tags;
  const ConversionSettings& settings;
};

void ConvertCountries(const ScriptNode& save, const CountryInputs& inputs, ScriptNode& scenario,
                      SourceProvinces& facts, TargetProvinces& targets, CountryProfiles& countries);
