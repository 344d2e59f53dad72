// Target provinces left without an owner: the ids the province map yields that
// no country received as owned or controlled. They are offered to the
// header's "selectable" countries that have a country block (provinces given
// to any other tag would be written nowhere). A placement's ids are appended
// to "ownedprovinces" and then to "controlledprovinces" of every country block
// with the receiving tag.
#pragma once

#include "assign/province_placement.h"
#include "convert/conversion_report.h"
#include "convert/conversion_state.h"
#include "script/script_node.h"

MissingProvinces FindMissingProvinces(const TargetProvinces& targets, const ScriptNode& scenario);

// False, changing nothing, when the placement places the missing provinces
// otherwise than each once per time it is missing with an offered country.
// Each placed province is noted in placed, and as the reason of its owner in
// targets.
bool PlaceMissingProvinces(const MissingProvinces& missing, const ProvincePlacement& placement,
                           TargetProvinces& targets, ScriptNode& scenario,
                           std::vector<ConversionReport::Placement>& placed);
