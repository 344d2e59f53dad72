// Trees from text and text from trees, for tests that work on small scripts.
#pragma once

#include <string>
#include <string_view>

#include "script/script_file.h"
#include "script/script_output.h"
#include "tests/test_files.h"

// Reads text through the program's reader and returns the new tree's root
// (owned by the caller: ScriptNode::DeleteTree, or hand it to a ScriptFile).
inline ScriptNode* ParseScript(std::string_view text) {
  TempDir dir;
  WriteFile(dir.File("script.txt"), text);
  LineCollector log;
  ScriptFile file;
  EXPECT_TRUE(file.Load(dir.File("script.txt"), "script.txt", log));
  ScriptNode* root = file.root;
  file.root = nullptr;
  return root;
}

// The node and its subtree as the writer writes them.
inline std::string WrittenText(const ScriptNode* node) {
  ScriptOutput out;
  node->Write(out, 0, false);
  return out.text();
}

// Every child of root as the writer writes them.
inline std::string WrittenChildren(const ScriptNode* root) {
  ScriptOutput out;
  for (int i = 0; i < root->ItemCount(); ++i) root->ChildAt(i)->Write(out, 0, false);
  return out.text();
}

// A tree built in a test, owned by a ScriptFile.
struct TestTree {
  TestTree() { file.root = ScriptNode::NewRoot(); }
  ScriptNode* root() const { return file.root; }
  std::string Text() const { return WrittenChildren(file.root); }
  ScriptFile file;
};

// key = value, a single number written without braces.
inline ScriptNode* AddBareNumber(ScriptNode* parent, std::string_view name, double value) {
  ScriptNode* node = parent->AddChild(name);
  node->bare = 1;
  node->AddNumber(value);
  return node;
}

// key = text, a single word (kWords) or quoted string (kQuoted) written without braces.
inline ScriptNode* AddBareText(ScriptNode* parent, std::string_view name, uint8_t kind,
                               std::string_view text) {
  ScriptNode* node = parent->AddChild(name);
  node->bare = 1;
  node->AddString(kind, text);
  return node;
}
