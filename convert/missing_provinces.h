// Target provinces left without an owner: the ids the province map yields that
// no country received as owned or controlled. They are offered to the
// header's "selectable" countries that have a country block (provinces given
// to any other tag would be written nowhere). The assigner answers with a
// placement, whose ids are appended to "ownedprovinces" and then to
// "controlledprovinces" of every country block with the receiving tag.
// Without an assigner they stay unowned.
#pragma once

#include "assign/province_placement.h"
#include "convert/conversion_report.h"
#include "convert/conversion_state.h"
#include "script/script_node.h"

// False when provinces are missing and the assigner gave up, or placed them
// otherwise than each once per time it is missing with an offered country;
// the conversion then stops. Each placed province is noted in placed, and as
// the reason of its owner in targets.
bool AssignMissingProvinces(TargetProvinces& targets, ScriptNode& scenario, ProvinceAssigner* assigner,
                            std::vector<ConversionReport::Placement>& placed);
