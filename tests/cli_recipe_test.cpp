// What the README tells a user to type, run as written, and questions that are
// only asked when someone can see them.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <sstream>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string kSource = QUILLMERE_SOURCE_DIR;

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// The indented lines of the README from the one that begins with first.
std::string ReadmeBlock(const std::string& first) {
  std::istringstream readme(ReadFile(kSource + "/README.md"));
  std::string block;
  bool in = false;
  for (std::string line; std::getline(readme, line);) {
    in = in ? line.rfind("    ", 0) == 0 : line == "    " + first;
    if (in) block += (block.empty() ? "" : "\n") + line.substr(4);
  }
  return block;
}

// The recipe for changing the province table, with the program's path for
// build/quillmere, an editor that changes nothing, and a save for SAVE.
TEST(CliRecipe, TheReadmesProvinceTableRecipeWorksAsWritten) {
  TempDir dir;
  fs::copy(kSource + "/Data", dir.File("Data"), fs::copy_options::recursive);
  std::string recipe = ReadmeBlock("cp -r Data MyData");
  ASSERT_NE(recipe.find("provinces --data MyData"), std::string::npos) << recipe;
  recipe = Replaced(recipe, "build/quillmere", Quoted(QUILLMERE_CLI));
  recipe = Replaced(recipe, "SAVE SCENARIO", Quoted(kSource + "/tests/data/few.kst") + " out.kst --assign-rest ENG");
  const CliResult run = RunCommand("cd " + Quoted(dir.path().string()) + " && export EDITOR=true && set -e\n" + recipe);
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_NE(run.output.find("Loading Provinces.txt...\n2303 provinces loaded."), std::string::npos) << run.output;
  const std::string table = ReadFile(dir.File("MyData/Provinces.txt"));
  EXPECT_GT(table.size(), 0u);
  EXPECT_TRUE(table == RunCommand(Quoted(QUILLMERE_CLI) + " provinces --data " + Quoted(dir.File("Data"))).output);
  EXPECT_TRUE(fs::exists(dir.File("out.kst")));
}

// With standard input on a terminal and standard error elsewhere, no question
// is asked where no one sees it: the plan to fill in is printed instead.
TEST(CliRecipe, NoQuestionGoesWhereNoOneSeesIt) {
  const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(terminal, 0);
  ASSERT_EQ(grantpt(terminal), 0);
  ASSERT_EQ(unlockpt(terminal), 0);
  const std::string input = ptsname(terminal);
  TempDir dir;
  const CliResult run = RunCommand("timeout 20 " + Quoted(QUILLMERE_CLI) + " convert " +
                                   Quoted(kSource + "/tests/data/few.kst") + " " + Quoted(dir.File("out.kst")) +
                                   " --data " + Quoted(kSource + "/Data") + " < " + Quoted(input));
  close(terminal);
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("\nENG = { }\nFRA = { }\n"), std::string::npos) << run.output;
  EXPECT_FALSE(fs::exists(dir.File("out.kst")));
}

}  // namespace

#endif  // _WIN32
