// Alliances: the three standing alliances of the scenario ("allies", "axis",
// "comintern" under "globaldata"), each led by the most extreme qualifying
// country of the profiles and joined by the leader's subjects. A leader's
// profile is erased, so that no country leads two alliances. An alliance that
// no country qualifies for is left out.
#pragma once

#include <vector>

#include "convert/conversion_report.h"
#include "convert/conversion_state.h"
#include "script/script_node.h"

// Returns the alliances written.
std::vector<AllianceMembers> ConvertAlliances(ScriptNode& scenario, CountryProfiles& countries);
