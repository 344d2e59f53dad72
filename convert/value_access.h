// Reading and writing the single values of a tree that every step uses.
//
// NumberValueOf gives the first number of the first node named key among the
// node's children and grandchildren, or fallback when there is none or it is
// not a list of numbers. AddTextValue and AddNumberValue append "key = value"
// (a bare value, without braces); SetNumberOf replaces the value of the first
// child named key, when there is one.
#pragma once

#include <string_view>

#include "script/script_node.h"

double NumberValueOf(const ScriptNode* node, std::string_view key, double fallback);
void SetNumberOf(ScriptNode* node, std::string_view key, double value);
ScriptNode* AddTextValue(ScriptNode* parent, std::string_view key, std::string_view text);
ScriptNode* AddNumberValue(ScriptNode* parent, std::string_view key, double value);
