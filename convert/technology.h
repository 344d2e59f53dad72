// Technology: the source technologies are counted per thousand-range, and a
// fixed, ordered set of target technologies is granted by thresholds on those
// counts, with extra grants for the major powers. Writes "techapps" into
// target; returns the counts, which the air bases read.
#pragma once

#include <string>

#include "convert/records.h"
#include "script/script_node.h"

TechCount ConvertTechnology(ScriptNode* target, const ScriptNode* source, const std::string& tag);
