// Where the program finds its Data folder without --data: in the working
// directory, else beside the program, else in the shared folder of an
// installation. Only a copy of the program in a folder of its own shows it.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(CliDataFolder, WorkingDirectoryThenBesideTheProgramThenTheInstallation) {
  const std::string source = QUILLMERE_SOURCE_DIR;
  TempDir dir;
  fs::create_directories(dir.path() / "bin");
  fs::create_directories(dir.path() / "work");
  fs::copy_file(QUILLMERE_CLI, dir.path() / "bin" / "quillmere");
  const auto convert = [&](const std::string& options) {
    return RunCommand("cd " + Quoted(dir.File("work")) + " && ../bin/quillmere convert " +
                      Quoted(source + "/tests/data/few.kst") + " out.kst --assign-rest ENG " + options);
  };
  const auto dataIn = [&](const std::string& folder, bool complete) {
    fs::create_directories(dir.path() / folder);
    fs::copy(source + "/Data", dir.path() / folder);
    if (!complete) fs::remove(dir.path() / folder / "Bases.txt");
  };
  EXPECT_NE(convert("").output.find("Failed to locate \"Data\\Countries.txt\""), std::string::npos);
  dataIn("share/quillmere/Data", true);
  EXPECT_EQ(convert("").exitCode, 0);
  dataIn("bin/Data", false);
  EXPECT_NE(convert("").output.find("Failed to locate \"Data\\Bases.txt\""), std::string::npos);
  EXPECT_EQ(convert("--data ../share/quillmere/Data").exitCode, 0);
  fs::rename(dir.path() / "share" / "quillmere" / "Data", dir.path() / "work" / "Data");
  EXPECT_EQ(convert("").exitCode, 0);
}

}  // namespace

#endif  // _WIN32
