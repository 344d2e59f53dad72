// Trees built in code and owned by a ScriptFile: searching, copying and
// ownership, which the conversion leans on and the program's output shows only
// through whole conversions.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "script/script_file.h"

namespace {

ScriptNode* Number(ScriptNode& parent, std::string_view key, double value) {
  ScriptNode* child = parent.AddChild(key);
  child->AddNumber(value);
  return child;
}

std::vector<ScriptMatch> Found(const ScriptNode& node, std::string_view key, int32_t depth) {
  std::vector<ScriptMatch> found;
  node.FindAll(key, &found, depth);
  return found;
}

// Which matches FindAll gives, and in which order, decides which entry of a
// save the conversion reads.
TEST(ScriptTree, FindAllHonoursDepthInDocumentOrder) {
  ScriptFile file;
  ScriptNode& root = file.root();
  ScriptNode* outer = root.AddChild("x");
  ScriptNode* inner = outer->AddChild("x");
  Number(*inner, "x", 1);
  Number(root, "x", 2);
  ScriptNode* words = root.AddChild("w");
  words->AddString(kWords, "y");
  words->AddString(kWords, "x");

  EXPECT_EQ(Found(root, "x", 0).size(), 2u);
  const std::vector<ScriptMatch> all = Found(root, "x", ScriptNode::kUnlimited);
  ASSERT_EQ(all.size(), 5u);
  EXPECT_EQ(all[0].node, outer);
  EXPECT_EQ(all[1].node, inner);
  std::vector<int32_t> indexes;
  for (const ScriptMatch& m : all) indexes.push_back(m.index);
  EXPECT_EQ(indexes, (std::vector<int32_t>{-1, -1, -1, -1, 1}));  // a word by its index
  EXPECT_EQ(all[4].node, words);
  EXPECT_TRUE(Found(root, "never stored", ScriptNode::kUnlimited).empty());
  EXPECT_EQ(Found(root, "x", 1).size(), 4u);
}

// A copy limited in depth leaves deeper blocks empty; copies own their strings.
TEST(ScriptTree, CopyItemsToCopiesValuesButLeavesDeepBlocksEmpty) {
  ScriptFile shallow, full;
  {
    ScriptFile source;
    Number(*source.root().AddChild("b"), "deep", 7);
    source.root().AddChild("q")->AddString(kQuoted, "text");
    source.root().CopyItemsTo(&shallow.root(), 1);
    source.root().CopyItemsTo(&full.root(), ScriptNode::kUnlimited);
  }
  ASSERT_EQ(shallow.root().ItemCount(), 2);
  EXPECT_EQ(shallow.root().ChildAt(0)->kind, kBlock);
  EXPECT_EQ(shallow.root().ChildAt(0)->ItemCount(), 0);
  EXPECT_EQ(shallow.root().ChildAt(1)->TextAt(0), "text");
  EXPECT_EQ(full.root().ChildAt(0)->ChildAt(0)->NumberAt(0), 7);
}

// The conversion keeps pointers to nodes while it adds their siblings, and a
// moved file keeps its nodes where they were.
TEST(ScriptTree, NodesStayPutWhileSiblingsAreAddedAndTheFileMoves) {
  ScriptFile file;
  ScriptNode* first = Number(file.root(), "first", 1);
  for (int i = 0; i < 10000; ++i) file.root().AddChild(std::to_string(i));
  const ScriptFile moved = std::move(file);
  EXPECT_EQ(moved.root().ChildAt(0), first);
  EXPECT_EQ(first->name(), "first");
  EXPECT_EQ(moved.root().ChildAt(10000)->name(), "9999");
  EXPECT_EQ(file.root().ItemCount(), 0);  // what is left behind is an empty tree
}

// Text in memory reads as the same text in a file does, with the same result.
TEST(ScriptTree, LoadingFromMemoryReportsErrorsAndKeepsWhatWasRead) {
  ScriptFile file;
  LineCollector log;
  EXPECT_EQ(file.LoadBuffer("a = 1\nb = { c = x }\n", "text", log), ScriptFile::LoadResult::kLoaded);
  EXPECT_EQ(file.root().ChildAt(1)->TextOf("c"), "x");
  EXPECT_EQ(file.LoadBuffer(std::string_view("a = 1\n}\nb = 2\0c = 3", 20), "text", log),
            ScriptFile::LoadResult::kLoadedWithErrors);
  EXPECT_EQ(file.errorCount, 1u);
  EXPECT_EQ(file.root().ItemCount(), 2);  // a zero byte ends the text
  EXPECT_EQ(log.lines.back(), "");
}

// Lists, blocks, words and strings of every size, around the sizes where the
// tree's memory takes them from shared pieces or from chunks of their own.
TEST(ScriptTree, ItemsOfEverySizeKeepTheirValues) {
  for (int n : {2, 2047, 2048, 2049, 4095, 4096, 4097, 16385, 70000}) {
    const auto count = static_cast<size_t>(n);
    std::string text = "n = {";
    for (int i = 0; i < n; ++i) text.append(" ").append(std::to_string(i));
    text.append(" }\nb = {");
    for (int i = 0; i < n; ++i)
      text.append(" k").append(std::to_string(i)).append(" = ").append(std::to_string(i));
    text.append(" }\nq = \"").append(count, 'x').append("\"\n").append(count, 'w').append(" = 1\n");
    ScriptFile file;
    LineCollector log;
    ASSERT_EQ(file.LoadBuffer(text, "text", log), ScriptFile::LoadResult::kLoaded) << n;
    const ScriptNode& root = file.root();
    ASSERT_EQ(root.ItemCount(), 4) << n;
    const ScriptNode* numbers = root.ChildAt(0);
    ASSERT_EQ(numbers->ItemCount(), n);
    EXPECT_EQ(numbers->NumberAt(n - 1), n - 1);
    const ScriptNode* block = root.ChildAt(1);
    ASSERT_EQ(block->ItemCount(), n);
    EXPECT_EQ(block->ChildAt(n - 1)->name(), std::string("k").append(std::to_string(n - 1)));
    EXPECT_EQ(block->NumberOf(std::string("k").append(std::to_string(n / 2)), -1), n / 2);
    EXPECT_EQ(root.TextOf("q").size(), count);
    EXPECT_EQ(root.ChildAt(3)->name().size(), count);
  }
}

}  // namespace
