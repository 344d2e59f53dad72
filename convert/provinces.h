// Provinces and ownership: which target provinces each country owns, controls
// and counts as national, the facts gathered per source province, claims, the
// contest for target provinces that several source provinces make up, and the
// air bases.
//
// Before the countries: BuildProvinceRecords lists the target provinces the
// map yields, CollectProvinceData gathers each source province's facts and
// claims. Per country: AddProvinceLists writes its three empty lists,
// ConvertCapital its "capital" (marking the source capital's facts), and
// ConvertProvinceLists fills the lists, recording the shares of merged
// provinces; AssignAirBases picks the air bases among the owned provinces by
// the country's technology count (a merge defers them, FlushAirBases writes
// them once the merges are done). After the countries: ClaimProvinces turns
// claims on unplaced provinces into shares, DecideSharedProvinces keeps the
// heaviest share of each contested province, and WriteSharedProvinces appends
// the winners to the countries' lists.
#pragma once

#include <cstdint>
#include <vector>

#include "convert/conversion_state.h"
#include "refdata/tag_tables.h"
#include "script/script_node.h"

void BuildProvinceRecords(const ProvinceMap& provinces, TargetProvinces& targets);
void CollectProvinceData(const ScriptNode& save, const ProvinceMap& provinces, const TagTables& tags,
                         SourceProvinces& facts);

// "ownedprovinces", "controlledprovinces" and "nationalprovinces", empty.
void AddProvinceLists(ScriptNode* target);
// The target capital (0 when unmapped).
double ConvertCapital(const ProvinceMap& provinces, ScriptNode* target, const ScriptNode* source,
                      SourceProvinces& facts);
// The ids it appended to the owned list.
std::vector<ProvinceId> ConvertProvinceLists(const ProvinceMap& provinces, ScriptNode* target,
                                             const ScriptNode* source, TargetProvinces& targets);
// otherTechs: the country's technology count outside the four thousand-ranges.
void AssignAirBases(ScriptNode* target, double capital, int32_t otherTechs, TargetProvinces& targets);
// The air bases of a merge into target. A country's merges follow one
// another, each repeating most bases of the one before on a longer owned list:
// only the bases the next merge does not repeat are written, each with the
// order of the merge that chose it, so that the result is the same.
void DeferAirBases(ScriptNode* target, int32_t otherTechs, TargetProvinces& targets);
// Writes the bases of every country's last merge.
void FlushAirBases(TargetProvinces& targets);

void ClaimProvinces(const ProvinceMap& provinces, const ScriptNode& scenario,
                    const std::vector<ProvinceClaim>& claims, TargetProvinces& targets);
void DecideSharedProvinces(TargetProvinces& targets);
void WriteSharedProvinces(ScriptNode& scenario, TargetProvinces& targets);
