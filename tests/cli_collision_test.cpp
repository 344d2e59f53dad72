// Outputs of a conversion that would take the place of another of its files:
// of another output, or of a file the run reads. Each is refused before any
// work with a message naming both, and nothing changes, however the path is
// spelt.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <map>
#include <vector>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string kSource = QUILLMERE_SOURCE_DIR;

// Every file under folder (links as links) with its content.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(entry.path(), folder).string();
    if (entry.is_symlink())
      files[name] = "-> " + fs::read_symlink(entry.path()).string();
    else if (entry.is_regular_file())
      files[name] = ReadFile(entry.path().string());
  }
  return files;
}

// A folder holding a save, a copy of the data, a plan, a game folder with its
// names file, a sub-folder, a link to a scenario not yet written and a second
// name of the save.
void Prepare(const TempDir& dir) {
  fs::copy_file(kSource + "/tests/data/few.kst", dir.File("s.kst"));
  fs::copy(kSource + "/Data", dir.File("Data"), fs::copy_options::recursive);
  WriteFile(dir.File("p.txt"), "ENG = { }\n");
  fs::create_directories(dir.File("GAME/Config"));
  WriteFile(dir.File("GAME/Config/province_names.csv"), "PROV550;Fenmouth\n");
  fs::create_directories(dir.File("sub"));
  fs::create_symlink("out.kst", dir.File("link.md"));
  fs::create_hard_link(dir.File("s.kst"), dir.File("twin.kst"));
}

CliResult ConvertIn(const TempDir& dir, const std::string& arguments) {
  return RunCommand("cd " + Quoted(dir.path().string()) + " && " + Quoted(QUILLMERE_CLI) + " convert " + arguments +
                    " --data Data --assign-rest ENG");
}

TEST(CliCollision, AnOutputMeetingAnotherFileOfTheRunIsRefusedAndNothingChanges) {
  TempDir dir;
  Prepare(dir);
  const std::string abs = dir.path().string();
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"s.kst out.kst --report ./out.kst", "The Markdown report ./out.kst would overwrite the scenario out.kst"},
      {"s.kst out.kst --report-json ./out.kst", "The JSON report ./out.kst would overwrite the scenario out.kst"},
      {"s.kst out.kst --report " + abs + "/out.kst",
       "The Markdown report " + abs + "/out.kst would overwrite the scenario out.kst"},
      {"s.kst out.kst --report sub/../out.kst",
       "The Markdown report sub/../out.kst would overwrite the scenario out.kst"},
      {"s.kst out.kst --report link.md", "The Markdown report link.md would overwrite the scenario out.kst"},
      {"s.kst out.kst --report r.md --report-json ./r.md",
       "The JSON report ./r.md would overwrite the Markdown report r.md"},
      {"s.kst out.kst --report-json p.txt --assign p.txt", "The JSON report p.txt would overwrite the plan p.txt"},
      {"s.kst out.kst --report Data/Countries.txt",
       "The Markdown report Data/Countries.txt would overwrite the data file Data/Countries.txt"},
      {"s.kst out.kst --report Data/Provinces.txt",
       "The Markdown report Data/Provinces.txt would overwrite the data file Data/Provinces.txt"},
      {"s.kst out.kst --report-json GAME/Config/province_names.csv --game-dir GAME",
       "The JSON report GAME/Config/province_names.csv would overwrite the province names file "
       "GAME/Config/province_names.csv"},
      {"s.kst p.txt --assign p.txt", "The scenario p.txt would overwrite the plan p.txt"},
      {"s.kst Data/Bases.txt", "The scenario Data/Bases.txt would overwrite the data file Data/Bases.txt"},
      {"s.kst ./s.kst", "The scenario ./s.kst would overwrite the save game s.kst"},
      {"s.kst twin.kst", "The scenario twin.kst would overwrite the save game s.kst"},
  };
  const auto before = Snapshot(dir.path());
  for (const auto& [arguments, message] : cases) {
    SCOPED_TRACE(arguments);
    const CliResult run = ConvertIn(dir, arguments);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.output, message + "; choose another file.\n");
    EXPECT_EQ(Snapshot(dir.path()), before);
  }
  // The same folder with outputs of their own converts.
  const CliResult run = ConvertIn(dir, "s.kst out.kst --report r.md --report-json r.json --assign p.txt --game-dir GAME");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  EXPECT_TRUE(fs::exists(dir.File("r.json")));
  EXPECT_TRUE(fs::exists(dir.File("out.kst")));
}

}  // namespace

#endif  // _WIN32
