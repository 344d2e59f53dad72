// Diplomacy: a country's opinions of other countries, written as "relation"
// blocks of a "diplomacy" block under the partners' target tags. A relation is
// dropped when the partner has no target tag, or when the partner's mother
// country is already named in the target country.
#pragma once

#include "refdata/tag_tables.h"
#include "script/script_node.h"

void ConvertDiplomacy(ScriptNode* target, const ScriptNode* source, const TagTables& tags);
