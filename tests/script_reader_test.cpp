#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/script_file.h"
#include "tests/script_text.h"
#include "tests/test_files.h"

namespace {

using Lines = std::vector<std::string>;

// Loads bytes from a real file, as the program does.
struct Loaded {
  explicit Loaded(std::string_view bytes) {
    WriteFile(dir.File("in.txt"), bytes);
    ok = file.Load(dir.File("in.txt"), "in.txt", log);
  }
  ScriptNode* root() const { return file.root; }
  // The tree in the writer's text, a compact way to compare whole trees.
  std::string Text() const { return WrittenChildren(root()); }
  TempDir dir;
  LineCollector log;
  ScriptFile file;
  bool ok = false;
};

Lines StatusOf(std::initializer_list<const char*> middle, const char* size) {
  Lines lines{"Loading in.txt..."};
  lines.insert(lines.end(), middle.begin(), middle.end());
  lines.push_back(size);
  lines.push_back("");
  return lines;
}

TEST(ScriptReader, EmptyFileGivesEmptyRootAfterOneRead) {
  Loaded l("");
  EXPECT_TRUE(l.ok);
  EXPECT_EQ(l.root()->ItemCount(), 0);
  EXPECT_EQ(l.root()->kind, kBlock);
  EXPECT_EQ(l.root()->parseState, kTopLevel);
  EXPECT_EQ(l.file.bytesRead, 1u);
  EXPECT_EQ(l.log.lines, StatusOf({}, "0.0 kb loaded."));
}

TEST(ScriptReader, MissingFileFailsAfterTheLoadingLine) {
  LineCollector log;
  ScriptFile file;
  EXPECT_FALSE(file.Load("no/such/file.kst", "file.kst", log));
  EXPECT_EQ(log.lines, (Lines{"Loading file.kst...", "Could not open no/such/file.kst for input"}));
  EXPECT_EQ(file.root, nullptr);
}

TEST(ScriptReader, ValuesListsAndBlocks) {
  Loaded l("a = 1\nb = { 1 2 -3 }\ntags = { ENG FRA }\nn = { \"x y\" \"z\" }\n"
           "list = { { a = 1 } { a = 2 } }\ns = \"quoted text\"\n");
  EXPECT_EQ(l.log.lines.size(), 3u);  // no error lines
  ScriptNode* r = l.root();
  ASSERT_EQ(r->ItemCount(), 6);
  ScriptNode* a = r->ChildAt(0);
  EXPECT_EQ(a->name(), "a");
  EXPECT_EQ(a->kind, kNumbers);
  EXPECT_EQ(a->bare, 1);
  EXPECT_EQ(a->parseState, kComplete);
  ScriptNode* b = r->ChildAt(1);
  EXPECT_EQ(b->bare, 0);
  ASSERT_EQ(b->ItemCount(), 3);
  EXPECT_EQ(b->NumberAt(2), -3);
  EXPECT_EQ(r->ChildAt(2)->kind, kWords);
  EXPECT_EQ(r->ChildAt(2)->TextAt(1), "FRA");
  EXPECT_EQ(r->ChildAt(3)->kind, kQuoted);
  EXPECT_EQ(r->ChildAt(3)->TextAt(0), "x y");
  ScriptNode* list = r->ChildAt(4);
  ASSERT_EQ(list->ItemCount(), 2);
  EXPECT_EQ(list->ChildAt(0)->name(), "");
  EXPECT_EQ(list->ChildAt(1)->ChildAt(0)->NumberAt(0), 2);
  EXPECT_EQ(list->ChildAt(1)->parent, list);
  EXPECT_EQ(r->ChildAt(5)->TextAt(0), "quoted text");
  EXPECT_EQ(r->ChildAt(5)->bare, 1);
}

TEST(ScriptReader, OutOfPlaceTokensAreReportedAndSkipped) {
  Loaded word("x = { 1 abc }\n");
  EXPECT_EQ(word.log.lines,
            StatusOf({"Line 1: Unexptd character ' '", "There were 1 errors during loading."},
                     "0.0 kb loaded."));
  EXPECT_EQ(word.Text(), "x = { 1 }\n");

  Loaded number("x = { abc 1 }\n");
  EXPECT_EQ(number.log.lines[1], "Line 1: No number expected.");
  EXPECT_EQ(number.Text(), "x = { abc }\n");

  Loaded minus("x = - 5\n");
  EXPECT_EQ(minus.log.lines[1], "Line 1: A number was expected.");
  EXPECT_EQ(minus.Text(), "x = 5\n");

  Loaded date("a = { date = 1936.1.1 }\n");
  EXPECT_EQ(date.log.lines[1], "Line 1: Unexptd character '.'");
  EXPECT_DOUBLE_EQ(date.root()->ChildAt(0)->ChildAt(0)->NumberAt(0), 1936.1);
  EXPECT_EQ(date.root()->ChildAt(0)->ChildAt(1)->name(), "1");
}

TEST(ScriptReader, NumbersConvertExactly) {
  Loaded l("a = { 0.1 2.675 123456789012345678 1234567890.12345 000000000000000000012.5 12. 7 }\n");
  const ScriptNode* a = l.root()->ChildAt(0);
  ASSERT_EQ(a->ItemCount(), 7);
  EXPECT_EQ(a->NumberAt(0), 0.1);
  EXPECT_EQ(a->NumberAt(1), 2.675);
  EXPECT_EQ(a->NumberAt(2), 123456789012345678.0);
  EXPECT_EQ(a->NumberAt(3), 1234567890.12345);
  EXPECT_EQ(a->NumberAt(4), 12.5);
  EXPECT_EQ(a->NumberAt(5), 12);
  EXPECT_EQ(a->NumberAt(6), 7);

  Loaded key("g = { 12.5x = 1 }\n");  // a number's text with letters glued on is a key
  EXPECT_EQ(key.root()->ChildAt(0)->ChildAt(0)->name(), "12.5x");
}

TEST(ScriptReader, UnterminatedStringEndsAtTheLine) {
  Loaded l("g = {\nname = \"abc\nb = 2\n}\nc = 3\n");
  EXPECT_EQ(l.log.lines[1], "Line 2: No ending \" of the string");
  EXPECT_EQ(l.Text(), "g = { name = \"abc\"\n b = 2 }\nc = 3\n");

  Loaded list("n = { \"abc\nd = 1\n");  // a braced list is closed by the missing quote
  EXPECT_EQ(list.Text(), "n = {    \"abc\"\n }\nd = 1\n");
}

TEST(ScriptReader, KeyAndValueMayStandOnDifferentLines) {
  Loaded one("g = { a = 1 b = 2 }\n");
  Loaded split("g = {\n a\n\n# note\n = 1\n b\r\n = 2 }\n");
  EXPECT_EQ(split.log.lines.size(), 3u);
  EXPECT_EQ(split.Text(), one.Text());
}

TEST(ScriptReader, ErrorLinesStopAtSixteen) {
  Loaded l(std::string(20, ',') + "\n");
  ASSERT_EQ(l.log.lines.size(), 1u + 16u + 3u);
  EXPECT_EQ(l.log.lines[16], "Line 1: Unexptd character ','");
  EXPECT_EQ(l.log.lines[17], "There were 20 errors during loading.");
}

TEST(ScriptReader, LineNumbersFollowTheLineEndRule) {
  Loaded crlf("a = 1\r\n\r\n\r\n,\r\n");
  EXPECT_EQ(crlf.log.lines[1], "Line 4: Unexptd character ','");
  Loaded lf("a = 1\n\n\n,\n");  // a run of LFs is one line end
  EXPECT_EQ(lf.log.lines[1], "Line 2: Unexptd character ','");
  Loaded cr("a = 1\r,\r");
  EXPECT_EQ(cr.log.lines[1], "Line 2: Unexptd character ','");
}

TEST(ScriptReader, ZeroByteEndsTheInput) {
  Loaded l(std::string("a = 1\n\0b = 2\n", 13));
  EXPECT_EQ(l.Text(), "a = 1\n");
  EXPECT_EQ(l.file.bytesRead, 7u);
}

#ifdef __linux__
TEST(ScriptReader, ReadFailureFailsTheLoad) {
  // A folder opens like a file here, and its first read fails: that is no
  // empty file, and no tree is kept.
  TempDir dir;
  LineCollector log;
  ScriptFile file;
  EXPECT_FALSE(file.Load(dir.path().string(), "folder", log));
  EXPECT_EQ(file.root, nullptr);
  EXPECT_EQ(log.lines, (Lines{"Loading folder...", "File input error at 0 bytes."}));
}
#endif

TEST(ScriptReader, SizeLineUsesTheProgramsFactors) {
  Loaded mb(std::string(1100000, ' '));
  EXPECT_EQ(mb.log.lines[1], "1.0 MB loaded.");
  Loaded kb(std::string(1000000, ' '));
  EXPECT_EQ(kb.log.lines[1], "973.5 kb loaded.");
  EXPECT_EQ(kb.file.bytesRead, 1000001u);
}

TEST(ScriptReader, TokensMaySpanTheReadBlocks) {
  // Values straddle the reader.s blocks at every offset of a 7-byte pattern.
  std::string text = "list = {";
  std::string expected = "list = {";
  for (int i = 0; i < 400000; ++i) {
    text += " w" + std::to_string(i % 100000);
    expected += " w" + std::to_string(i % 100000);
  }
  text += " }\nlast = \"" + std::string(3000000, 'q') + "\"\n";
  expected += " }\nlast = \"" + std::string(3000000, 'q') + "\"\n";
  Loaded l(text);
  EXPECT_EQ(l.log.lines.size(), 3u);
  EXPECT_EQ(l.Text(), expected);
}

TEST(ScriptReader, DeepNestingIsRefusedWithoutCrashing) {
  Loaded l("a = " + std::string(1000000, '{') + std::string(1000000, '}') + "\nb = 1\n");
  EXPECT_EQ(l.log.lines[1], "Line 1: Unexptd character '{'");
  EXPECT_EQ(l.log.lines.size(), 1u + 16u + 3u);
  int depth = 0;
  for (ScriptNode* n = l.root()->ChildAt(0); n->ItemCount() > 0; n = n->ChildAt(0)) ++depth;
  EXPECT_LT(depth, 1001);
  EXPECT_FALSE(l.Text().empty());  // writing the deepest tree allowed does not overflow
}

TEST(ScriptReader, BytesAboveAsciiFollowTheWordClasses) {
  Loaded l("name = M\xFC" "nchen\nx = \xE9t\xE9\nbad = \xA3\n");
  EXPECT_EQ(l.root()->ChildAt(0)->TextAt(0), "M\xFC" "nchen");
  EXPECT_EQ(l.root()->ChildAt(1)->TextAt(0), "\xE9t\xE9");
  EXPECT_EQ(l.log.lines[1], "Line 3: Unexptd character '\xA3'");
}

}  // namespace
