// Politics and policies: the seven policy sliders and belligerence of a
// converted country, from the source country's government, laws and infamy.
// Writes "policy" and "belligerence" into target; returns the country's
// political profile (its democratic and political-left sliders), which the
// economy scores and the alliances choose their leaders by.
#pragma once

#include <string>

#include "convert/records.h"
#include "script/script_node.h"

CountryAlignment ConvertPolitics(ScriptNode* target, const ScriptNode* source, const std::string& tag);
