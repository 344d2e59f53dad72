// Writing the single values of a scenario that every step uses: AddTextValue
// and AddNumberValue append "key = value" (a bare value, without braces);
// SetNumberOf replaces the value of the first child named key, when there is
// one. (The readers belong to ScriptNode.)
#pragma once

#include <string_view>

#include "script/script_node.h"

void SetNumberOf(ScriptNode* node, std::string_view key, double value);
ScriptNode* AddTextValue(ScriptNode* parent, std::string_view key, std::string_view text);
ScriptNode* AddNumberValue(ScriptNode* parent, std::string_view key, double value);
