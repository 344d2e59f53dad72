// Economy and industry.
//
// Per country: ConvertResources writes the stockpiles, money and "manpower"
// (a merge only recomputes the manpower of the country it joins) and adds the
// owned province count to the country's alignment score; ConvertConvoys turns
// convoys into "transports" and "escorts" (transports is the country's first
// "transports", null while it has none: the one a merge's convoys add to);
// ConvertFactories hands the industry
// of the source states to their source provinces' facts.
// At the end: ConvertProvinceBuildings merges the source provinces' facts into
// the target provinces' records and writes one "province" block per record,
// with its industrial capacity, infrastructure, air base and manpower.
#pragma once

#include <string>

#include "convert/conversion_state.h"
#include "refdata/settings.h"
#include "script/script_node.h"

void ConvertResources(ScriptNode* target, const ScriptNode* source, const std::string& tag,
                      bool merging, CountryProfiles& countries);
void ConvertConvoys(ScriptNode* target, const ScriptNode* source, ScriptNode*& transports);
void ConvertFactories(const ScriptNode* source, SourceProvinces& facts);
void ConvertProvinceBuildings(const ProvinceMap& provinces, const ConversionSettings& settings,
                              const SourceProvinces& facts, TargetProvinces& targets,
                              ScriptNode& scenario);
