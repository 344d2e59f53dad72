// Data files and the names file that are not regular files: a pipe that no one
// writes would keep the program waiting forever, so each is refused unread.
// Every run has a time limit far above the few milliseconds it needs, so that
// a program that waits fails the test instead of blocking it.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

constexpr int kTimedOut = 124;  // the exit status of timeout(1)

CliResult RunWithin(const std::string& arguments) {
  return RunCommand("timeout 10 " + Quoted(QUILLMERE_CLI) + " " + arguments);
}

bool Has(const CliResult& result, const std::string& text) { return result.output.find(text) != std::string::npos; }

TEST(CliDataFiles, APipeAsADataFileIsRefusedUnread) {
  const std::string source = QUILLMERE_SOURCE_DIR;
  for (const std::string name : {"Countries.txt", "Bases.txt", "Data.txt", "Provinces.txt"}) {
    SCOPED_TRACE(name);
    TempDir dir;
    fs::copy(source + "/Data", dir.path());
    fs::remove(dir.path() / name);
    ASSERT_EQ(mkfifo(dir.File(name).c_str(), 0644), 0);
    const std::string data = " --data " + Quoted(dir.path().string());

    const CliResult convert = RunWithin("convert " + Quoted(source + "/tests/data/few.kst") + " " +
                                        Quoted(dir.File("out.kst")) + data + " --assign-rest ENG");
    EXPECT_EQ(convert.exitCode, 1) << convert.output;
    EXPECT_TRUE(Has(convert, dir.File(name) + ": error: the file cannot be read")) << convert.output;
    EXPECT_TRUE(Has(convert, "Error! \"Data\\" + name + "\" has errors (see above)! Program is aborting..."))
        << convert.output;
    EXPECT_FALSE(fs::exists(dir.File("out.kst")));

    const CliResult check = RunWithin("check-data" + data);
    EXPECT_EQ(check.exitCode, 1) << check.output;
    EXPECT_TRUE(Has(check, dir.File(name) + ": error: the file cannot be read")) << check.output;
  }
}

TEST(CliDataFiles, APipeAsTheNamesFileLeavesBareIds) {
  const std::string source = QUILLMERE_SOURCE_DIR;
  TempDir dir;
  fs::create_directories(dir.path() / "Config");
  ASSERT_EQ(mkfifo(dir.File("Config/province_names.csv").c_str(), 0644), 0);
  const CliResult convert = RunWithin("convert " + Quoted(source + "/tests/data/few.kst") + " " +
                                      Quoted(dir.File("out.kst")) + " --data " + Quoted(source + "/Data") +
                                      " --game-dir " + Quoted(dir.path().string()) + " </dev/null");
  EXPECT_NE(convert.exitCode, kTimedOut);
  EXPECT_TRUE(Has(convert, "\n#   550\n#   563\n")) << convert.output;
}

}  // namespace

#endif  // _WIN32
