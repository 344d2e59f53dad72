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
