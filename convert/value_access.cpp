// The small readers and writers of values that every conversion step uses.
//
// The readers give the same answers as the tree searches they stand for (the
// first match of a depth-0 or depth-1 FindAll) but stop at the first match and
// allocate nothing: they run for every key the conversion reads.
#include "convert/scenario_converter.h"

namespace {

bool ListsText(const ScriptNode* node, std::string_view text) {
  if (!node->HoldsText()) return false;
  for (int i = 0; i < node->ItemCount(); ++i)
    if (node->TextAt(i) == text) return true;
  return false;
}

}  // namespace

std::string_view ScenarioConverter::TextValueOf(const ScriptNode* node, std::string_view key) {
  return node->TextOf(key);
}

double ScenarioConverter::NumberValueOf(const ScriptNode* node, std::string_view key,
                                        double fallback) {
  const ScriptNode* found = node->FirstWithin(key);
  if (!found || found->kind != kNumbers || found->ItemCount() == 0) return fallback;
  return found->NumberAt(0);
}

void ScenarioConverter::SetNumberOf(ScriptNode* node, std::string_view key, double value) {
  if (ScriptNode* child = node->FirstChild(key)) child->SetNumber(value);
}

bool ScenarioConverter::HasWithin(const ScriptNode* node, std::string_view name) {
  if (node->FirstWithin(name)) return true;
  if (node->kind != kBlock) return ListsText(node, name);
  for (int i = 0; i < node->ItemCount(); ++i)
    if (ListsText(node->ChildAt(i), name)) return true;
  return false;
}

ScriptNode* ScenarioConverter::AddTextValue(ScriptNode* parent, std::string_view key,
                                            std::string_view text) {
  ScriptNode* child = parent->AddChild(key);
  child->bare = 1;
  // An empty word would leave "key = " with nothing after it, and the next key
  // would be read as its value; an empty quoted text reads back as empty.
  child->AddString(kWords, text.empty() ? std::string_view("\"\"") : text);
  return child;
}

ScriptNode* ScenarioConverter::AddNumberValue(ScriptNode* parent, std::string_view key,
                                              double value) {
  ScriptNode* child = parent->AddChild(key);
  child->bare = 1;
  child->AddNumber(value);
  return child;
}
