#include <gtest/gtest.h>

#include "script/script_file.h"
#include "tests/script_text.h"

namespace {

using Tree = TestTree;

ScriptNode* Words(ScriptNode* parent, std::string_view name, std::initializer_list<const char*> words) {
  ScriptNode* node = parent->AddChild(name);
  for (const char* w : words) node->AddString(kWords, w);
  return node;
}

TEST(ScriptTree, FindAllHonoursDepthAndReportsLevelsInDocumentOrder) {
  Tree t;
  ScriptNode* a = t.root()->AddChild("x");
  ScriptNode* inner = a->AddChild("x");
  AddBareNumber(inner, "x", 1);
  AddBareNumber(t.root(), "x", 2);

  std::vector<ScriptMatch> top;
  t.root()->FindAll("x", &top, 0, 0);
  ASSERT_EQ(top.size(), 2u);
  EXPECT_EQ(top[0].node, a);

  std::vector<ScriptMatch> all;
  t.root()->FindAll("x", &all, ScriptNode::kUnlimited, 0);
  ASSERT_EQ(all.size(), 4u);
  EXPECT_EQ(all[0].node, a);
  EXPECT_EQ(all[0].level, 0);
  EXPECT_EQ(all[1].node, inner);
  EXPECT_EQ(all[1].level, 1);
  EXPECT_EQ(all[2].level, 2);
  EXPECT_EQ(all[3].level, 0);
  for (const ScriptMatch& m : all) EXPECT_EQ(m.index, -1);

  t.root()->FindAll("x", nullptr, 0, 0);  // no list: nothing happens
}

TEST(ScriptTree, FindAllAtDepthOneSeesWordsAndGrandchildren) {
  Tree words;
  ScriptNode* a = Words(words.root(), "a", {"y", "x"});
  std::vector<ScriptMatch> found;
  words.root()->FindAll("x", &found, 1, 0);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].node, a);
  EXPECT_EQ(found[0].index, 1);
  EXPECT_EQ(found[0].level, 1);

  Tree block;
  ScriptNode* x = AddBareNumber(block.root()->AddChild("a"), "x", 1);
  found.clear();
  block.root()->FindAll("x", &found, 1, 0);
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].node, x);
  EXPECT_EQ(found[0].index, -1);
  EXPECT_EQ(found[0].level, 1);

  found.clear();
  block.root()->FindAll("x", &found, 0, 0);
  EXPECT_TRUE(found.empty());
}

TEST(ScriptTree, CopyItemsToCopiesValuesButLeavesDeepBlocksEmpty) {
  Tree source;
  ScriptNode* block = source.root()->AddChild("b");
  AddBareNumber(block, "deep", 7);
  Words(source.root(), "w", {"ENG", "FRA"});
  ScriptNode* q = source.root()->AddChild("q");
  q->bare = 1;
  q->AddString(kQuoted, "text");

  Tree dest;
  source.root()->CopyItemsTo(dest.root(), 1);
  ScriptNode* r = dest.root();
  ASSERT_EQ(r->ItemCount(), 3);
  EXPECT_EQ(r->ChildAt(0)->name(), "b");
  EXPECT_EQ(r->ChildAt(0)->kind, kBlock);
  EXPECT_EQ(r->ChildAt(0)->ItemCount(), 0);
  EXPECT_EQ(r->ChildAt(1)->ItemCount(), 2);
  EXPECT_EQ(r->ChildAt(1)->TextAt(1), "FRA");
  EXPECT_EQ(r->ChildAt(2)->TextAt(0), "text");
  EXPECT_EQ(r->ChildAt(2)->bare, 1);
  EXPECT_EQ(r->ChildAt(2)->parent, r);

  Tree full;
  source.root()->CopyItemsTo(full.root(), ScriptNode::kUnlimited);
  EXPECT_EQ(full.root()->ChildAt(0)->ChildAt(0)->NumberAt(0), 7);
  source.file.FreeTree();  // the copy owns its own strings
  EXPECT_EQ(full.root()->ChildAt(1)->TextAt(0), "ENG");
}

TEST(ScriptTree, SetNumberAndClearReplaceItems) {
  Tree t;
  ScriptNode* n = t.root()->AddChild("n");
  for (double v : {1.0, 2.0, 3.0}) n->AddNumber(v);
  n->SetNumber(7);
  ASSERT_EQ(n->ItemCount(), 1);
  EXPECT_EQ(n->NumberAt(0), 7);
  EXPECT_EQ(n->kind, kNumbers);

  t.root()->Clear();
  EXPECT_EQ(t.root()->ItemCount(), 0);
  EXPECT_EQ(t.root()->kind, kBlock);
  t.root()->AddChild("again");
  EXPECT_EQ(t.root()->ChildAt(0)->name(), "again");
}

TEST(ScriptTree, NodesStayPutWhileSiblingsAreAdded) {
  Tree t;
  ScriptNode* first = AddBareNumber(t.root(), "first", 1);
  std::vector<ScriptNode*> added;
  for (int i = 0; i < 10000; ++i) added.push_back(t.root()->AddChild('c' + std::to_string(i)));
  EXPECT_EQ(first->NumberAt(0), 1);
  EXPECT_EQ(first->name(), "first");
  EXPECT_EQ(t.root()->ChildAt(0), first);
  for (int i = 0; i < 10000; ++i) ASSERT_EQ(t.root()->ChildAt(i + 1), added[i]);
  EXPECT_EQ(added[9999]->name(), "c9999");
}

TEST(ScriptTree, FreeTreeWithoutTreeDoesNothing) {
  ScriptFile file;
  file.FreeTree();
  EXPECT_EQ(file.root, nullptr);
  file.root = ScriptNode::NewRoot();
  file.FreeTree();
  EXPECT_EQ(file.root, nullptr);
}

}  // namespace
