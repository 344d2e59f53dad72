// The scenario's own entries: its name, the player's country ("saved"), the
// "header" with the start date and the selectable countries, the
// "globaldata" dates, and, at the end, the includes of the events.
//
// The player's country is the target tag of the last country (in the save's
// order, two levels deep) holding a "playername" whose text, spaces removed,
// has something after its last colon. The header lists the target tags of the
// save's "selectable" countries, and gives the player and up to nine others a
// block of their own.
#pragma once

#include <string>

#include "refdata/tag_tables.h"
#include "script/script_node.h"

std::string FindPlayerTag(const ScriptNode& save, const TagTables& tags);
void WriteHeader(ScriptNode& scenario, const ScriptNode& save, const std::string& player,
                 const TagTables& tags);
void WriteEventIncludes(ScriptNode& scenario);
