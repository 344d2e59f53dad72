// Trees built in code: searching and copying, which the conversion leans on and
// the program's output shows only through whole conversions.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "script/script_file.h"

namespace {

// A tree owned by a ScriptFile, with a helper to add "key = { number }" entries.
struct Tree {
  Tree() { file.root = ScriptNode::NewRoot(); }
  ScriptNode* root() const { return file.root; }
  static ScriptNode* Number(ScriptNode* parent, std::string_view key, double value) {
    parent->AddChild(key)->AddNumber(value);
    return parent->ChildAt(parent->ItemCount() - 1);
  }
  ScriptFile file;
};

std::vector<ScriptMatch> Found(const ScriptNode* node, std::string_view key, int32_t depth) {
  std::vector<ScriptMatch> found;
  node->FindAll(key, &found, depth, 0);
  return found;
}

// Which matches FindAll gives, in which order and at which level, decides which
// entry of a save the conversion reads.
TEST(ScriptTree, FindAllHonoursDepthAndReportsLevelsInDocumentOrder) {
  Tree t;
  ScriptNode* outer = t.root()->AddChild("x");
  ScriptNode* inner = outer->AddChild("x");
  Tree::Number(inner, "x", 1);
  Tree::Number(t.root(), "x", 2);
  ScriptNode* words = t.root()->AddChild("w");
  words->AddString(kWords, "y");
  words->AddString(kWords, "x");

  EXPECT_EQ(Found(t.root(), "x", 0).size(), 2u);
  const std::vector<ScriptMatch> all = Found(t.root(), "x", ScriptNode::kUnlimited);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].node, outer);
  EXPECT_EQ(all[1].node, inner);
  std::vector<int32_t> levelsAndIndexes;
  for (const ScriptMatch& m : all) levelsAndIndexes.insert(levelsAndIndexes.end(), {m.level, m.index});
  EXPECT_EQ(levelsAndIndexes, (std::vector<int32_t>{0, -1, 1, -1, 2, -1, 0, -1, 1, 1}));  // a word by its index
  EXPECT_EQ(Found(t.root(), "x", 1).size(), 4u);
  t.root()->FindAll("x", nullptr, 0, 0);  // no list: nothing happens
}

// A copy limited in depth leaves deeper blocks empty; copies own their strings.
TEST(ScriptTree, CopyItemsToCopiesValuesButLeavesDeepBlocksEmpty) {
  auto source = std::make_unique<Tree>();
  Tree::Number(source->root()->AddChild("b"), "deep", 7);
  source->root()->AddChild("q")->AddString(kQuoted, "text");

  Tree shallow, full;
  source->root()->CopyItemsTo(shallow.root(), 1);
  source->root()->CopyItemsTo(full.root(), ScriptNode::kUnlimited);
  source.reset();
  ASSERT_EQ(shallow.root()->ItemCount(), 2);
  EXPECT_EQ(shallow.root()->ChildAt(0)->kind, kBlock);
  EXPECT_EQ(shallow.root()->ChildAt(0)->ItemCount(), 0);
  EXPECT_EQ(shallow.root()->ChildAt(1)->TextAt(0), "text");
  EXPECT_EQ(shallow.root()->ChildAt(1)->parent, shallow.root());
  EXPECT_EQ(full.root()->ChildAt(0)->ChildAt(0)->NumberAt(0), 7);
}

// The conversion keeps pointers to nodes while it adds their siblings.
TEST(ScriptTree, NodesStayPutWhileSiblingsAreAdded) {
  Tree t;
  ScriptNode* first = Tree::Number(t.root(), "first", 1);
  for (int i = 0; i < 10000; ++i) t.root()->AddChild(std::to_string(i));
  EXPECT_EQ(t.root()->ChildAt(0), first);
  EXPECT_EQ(first->name(), "first");
  EXPECT_EQ(t.root()->ChildAt(10000)->name(), "9999");
}

}  // namespace
