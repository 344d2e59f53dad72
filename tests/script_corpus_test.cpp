// Real files written by others, kept outside the repository beside the checkout
// (skipped without them): the program reads them all, writes each in a layout
// that it reads back to the same bytes, and names provinces from a real names file.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(QUILLMERE_SOURCE_DIR) / ".." / "shared" / "corpus";

TEST(ScriptCorpus, FormattingTwiceGivesTheSameBytes) {
  if (!fs::is_directory(kCorpus / "files")) GTEST_SKIP() << "no corpus beside the checkout";
  TempDir dir;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kCorpus / "files")) {
    if (!entry.is_regular_file() || entry.path().extension() == ".csv") continue;
    SCOPED_TRACE(entry.path().string());
    EXPECT_EQ(RunCli("format " + Quoted(entry.path().string()) + " " + Quoted(dir.File("once"))).exitCode, 0);
    EXPECT_EQ(RunCli("format " + Quoted(dir.File("once")) + " " + Quoted(dir.File("twice"))).exitCode, 0);
    EXPECT_EQ(ReadFile(dir.File("once")), ReadFile(dir.File("twice")));
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(ScriptCorpus, ARealNamesFileNamesTheMissingProvinces) {
  if (!fs::is_directory(kCorpus / "game")) GTEST_SKIP() << "no corpus beside the checkout";
  TempDir dir;
  const std::string source = QUILLMERE_SOURCE_DIR;
  const CliResult run = RunCli("convert " + Quoted(source + "/tests/data/few.kst") + " " + Quoted(dir.File("out.kst")) +
                               " --data " + Quoted(source + "/Data") + " --game-dir " + Quoted((kCorpus / "game").string()));
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("#   550, "), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("#   550, PROV550\n"), std::string::npos) << run.output;
}

}  // namespace

#endif  // _WIN32
