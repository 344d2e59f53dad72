// The province table as a file: what `quillmere provinces` prints, saved as
// Provinces.txt, converts exactly as the built-in table does, and moving one
// source province to another target moves that province and nothing else.
// Kept as a test of its own: it ties two commands and an edited file together,
// which one golden case cannot.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "script/script_file.h"
#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string kSource = QUILLMERE_SOURCE_DIR;

// The example converted with the data of folder, every missing province given to ENG.
std::string Converted(const TempDir& dir, const std::string& folder, const std::string& name) {
  const CliResult run = RunCli("convert " + Quoted(kSource + "/examples/example.kst") + " " +
                               Quoted(dir.File(name)) + " --data " + Quoted(folder) + " --assign-rest ENG");
  EXPECT_EQ(run.exitCode, 0) << run.output;
  return ReadFile(dir.File(name));
}

// Each province of a scenario with the tag of the country that owns it.
std::map<double, std::string> Owners(const std::string& scenario) {
  ScriptFile file;
  LineCollector log;
  file.LoadBuffer(scenario, "scenario", log);
  std::map<double, std::string> owners;
  for (int i = 0; i < file.root().ItemCount(); ++i) {
    const ScriptNode* country = file.root().ChildAt(i);
    const ScriptNode* owned = country->name() == "country" ? country->NumbersOf("ownedprovinces") : nullptr;
    for (int k = 0; owned && k < owned->ItemCount(); ++k)
      owners[owned->NumberAt(k)] = std::string(country->TextOf("tag"));
  }
  return owners;
}

TEST(ProvinceTableFile, PrintedItConvertsAsBuiltInAndAnEditMovesOneProvince) {
  TempDir dir;
  const std::string folder = dir.File("Data");
  fs::copy(kSource + "/Data", folder);
  const CliResult table = RunCli("provinces --data " + Quoted(kSource + "/Data"));
  ASSERT_EQ(table.exitCode, 0);
  WriteFile(folder + "/Provinces.txt", table.output);

  const std::string builtIn = Converted(dir, kSource + "/Data", "built-in.kst");
  ASSERT_EQ(Converted(dir, folder, "from-file.kst"), builtIn);

  // Source province 12, owned in the example, moves from target 550 to 551.
  std::string edited = table.output;
  const size_t row = edited.find("\n12\t550\n");
  ASSERT_NE(row, std::string::npos);
  edited.replace(row, 8, "\n12\t551\n");
  WriteFile(folder + "/Provinces.txt", edited);
  std::map<double, std::string> before = Owners(builtIn);
  const std::map<double, std::string> after = Owners(Converted(dir, folder, "edited.kst"));
  ASSERT_EQ(after.count(551), 1u);
  EXPECT_EQ(after.at(551), before.at(550));  // the moved province goes with its source
  EXPECT_EQ(after.count(550), 0u);           // its old target, reached by no row now, has no owner
  before[551] = after.at(551);
  before.erase(550);
  EXPECT_EQ(after, before);  // and nothing else changed hands
}

}  // namespace

#endif
