// Dominions and satellites: whether a converted country is a subject, and of
// whom (its "dominion" or else its "satellite" entry, in upper case). The
// alliances add subjects to their overlord's alliance.
#pragma once

#include <optional>
#include <string>

#include "convert/records.h"
#include "script/script_node.h"

std::optional<SubjectLink> ConvertDominions(const std::string& tag, const ScriptNode* source);
