#include "convert/value_access.h"

void SetNumberOf(ScriptNode* node, std::string_view key, double value) {
  if (ScriptNode* child = node->FirstChild(key)) child->SetNumber(value);
}

ScriptNode* AddTextValue(ScriptNode* parent, std::string_view key, std::string_view text) {
  ScriptNode* child = parent->AddChild(key);
  child->bare = 1;
  // An empty word would leave "key = " with nothing after it, and the next key
  // would be read as its value; an empty quoted text reads back as empty.
  child->AddString(kWords, text.empty() ? std::string_view("\"\"") : text);
  return child;
}

ScriptNode* AddNumberValue(ScriptNode* parent, std::string_view key, double value) {
  ScriptNode* child = parent->AddChild(key);
  child->bare = 1;
  child->AddNumber(value);
  return child;
}
