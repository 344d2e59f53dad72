// The report of a conversion (--report, --report-json) against the scenario it
// describes: the JSON follows its schema (checked with python3-jsonschema), and
// its owners, controllers, dropped countries, unmapped provinces, contest
// winners and placed provinces are what the saved scenario, the save and the
// data show. A failed run writes no report, and a report on standard output
// keeps the status lines off it.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

#include "script/script_file.h"
#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

const std::string kSource = QUILLMERE_SOURCE_DIR;

// The bundled example, a whole world with dropped countries, provinces the
// table does not map, contests and a plan for its uncolonised provinces.
const std::string kSave = kSource + "/examples/world.kst";
const std::string kConvert = "convert " + Quoted(kSave) + " ";
const std::string kPlan = " --assign " + Quoted(kSource + "/examples/world-plan.txt");

ScriptFile Loaded(const std::string& path) {
  ScriptFile file;
  LineCollector log;
  file.Load(path, path, log);
  return file;
}

// The first country of the scenario listing each province in list key.
std::map<int, std::string> Holders(const ScriptNode& scenario, std::string_view key) {
  std::map<int, std::string> holders;
  for (int i = 0; i < scenario.ItemCount(); ++i) {
    const ScriptNode* country = scenario.ChildAt(i);
    const ScriptNode* list = country->name() == "country" ? country->NumbersOf(key) : nullptr;
    for (int k = 0; list && k < list->ItemCount(); ++k)
      holders.try_emplace(static_cast<int>(list->NumberAt(k)), std::string(country->TextOf("tag")));
  }
  return holders;
}

std::string Or(const nlohmann::json& value) { return value.is_null() ? "" : value.get<std::string>(); }

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    const CliResult run = RunCli(kConvert + Quoted(dir.File("scenario.kst")) + " --data " +
                                 Quoted(kSource + "/Data") + kPlan + " --report " +
                                 Quoted(dir.File("report.md")) + " --report-json " + Quoted(dir.File("report.json")));
    ASSERT_EQ(run.exitCode, 0) << run.output;
    json = nlohmann::json::parse(ReadFile(dir.File("report.json")));
    scenario = Loaded(dir.File("scenario.kst"));
  }
  TempDir dir;
  nlohmann::json json;
  ScriptFile scenario;
};

TEST_F(Report, JsonFollowsItsSchema) {
  const CliResult check = RunCommand(
      "python3 -c 'import json, sys, jsonschema; "
      "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' " +
      Quoted(dir.File("report.json")) + " " + Quoted(kSource + "/app/cli/report.schema.json"));
  EXPECT_EQ(check.exitCode, 0) << check.output;
}

TEST_F(Report, AgreesWithTheScenarioItDescribes) {
  const std::map<int, std::string> owners = Holders(scenario.root(), "ownedprovinces");
  const std::map<int, std::string> controllers = Holders(scenario.root(), "controlledprovinces");
  size_t owned = 0;
  for (const auto& province : json["provinces"]) {
    const int id = province["id"];
    EXPECT_EQ(Or(province["owner"]), owners.count(id) ? owners.at(id) : "") << id;
    EXPECT_EQ(Or(province["controller"]), controllers.count(id) ? controllers.at(id) : "") << id;
    EXPECT_EQ(province["reason"].is_null(), !owners.count(id)) << id;
    owned += owners.count(id);
  }
  EXPECT_EQ(owned, owners.size());  // a record for every owned province
  size_t counted = 0;
  for (const auto& country : json["scenarioCountries"]) counted += country["provincesOwned"].get<size_t>();
  EXPECT_EQ(counted, owners.size());
  for (const auto& contest : json["contests"]) EXPECT_EQ(contest["winner"], owners.at(contest["province"]));
  EXPECT_FALSE(json["placedProvinces"].empty());
  for (const auto& placed : json["placedProvinces"]) {
    EXPECT_EQ(placed["country"], owners.at(placed["province"]));
    EXPECT_EQ(placed["how"], "plan");
  }
}

TEST_F(Report, ListsTheDroppedCountriesAndUnmappedProvincesOfTheSave) {
  const ScriptFile countries = Loaded(kSource + "/Data/Countries.txt");
  const ScriptNode* tagTable = countries.root().FirstChild("tag_conversion_table");
  const ScriptNode* mergeTable = countries.root().FirstChild("mother_merge_table");
  const std::string table = RunCli("provinces --data " + Quoted(kSource + "/Data")).output;
  const ScriptFile source = Loaded(kSave);
  std::set<std::string> dropped;
  std::set<int> unmapped;
  for (int i = 0; i < source.root().ItemCount(); ++i) {
    const ScriptNode* block = source.root().ChildAt(i);
    const std::string tag(block->TextOf("tag"));
    if (block->name() == "country" && !tag.empty() && !tagTable->FirstChild(tag) && !mergeTable->FirstChild(tag))
      dropped.insert(tag);
    const int id = static_cast<int>(block->NumberWithin("id", 0));
    const std::string row = std::to_string(id) + '\t';
    if (block->name() == "province" && id != 0 && ("\n" + table).find('\n' + row) == std::string::npos)
      unmapped.insert(id);
  }
  std::set<std::string> reportedDropped;
  for (const auto& country : json["countries"])
    if (country["fate"] == "dropped") reportedDropped.insert(country["source"].get<std::string>());
  EXPECT_FALSE(dropped.empty());
  EXPECT_EQ(reportedDropped, dropped);
  EXPECT_FALSE(unmapped.empty());
  EXPECT_EQ(json["unmappedProvinces"].get<std::set<int>>(), unmapped);
  const std::string markdown = ReadFile(dir.File("report.md"));
  for (const std::string& tag : dropped) EXPECT_NE(markdown.find("| " + tag + " | dropped"), std::string::npos) << tag;
}

// Values the conversion passes over for their kind are listed with the key and
// the country or province they stand in; nothing else is.
TEST(ReportOutput, ListsTheValuesOfTheWrongKind) {
  TempDir dir;
  std::string save = ReadFile(kSource + "/tests/data/few.kst");
  for (const auto& [from, to] : {std::pair<std::string, std::string>{"id = 8 railroad_level = 2", "id = 8 railroad_level = high"},
                                 {"capital = 8", "capital = { 8 9 } badboy = none"},
                                 {"name = \"1st Horse\" type = cavalry", "name = \"1st Horse\" type = 7"}}) {
    const size_t at = save.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    save.replace(at, from.size(), to);
  }
  WriteFile(dir.File("save.kst"), save);
  const CliResult run = RunCli("convert " + Quoted(dir.File("save.kst")) + " " + Quoted(dir.File("s.kst")) +
                               " --assign-rest ENG --report-json " + Quoted(dir.File("r.json")));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const nlohmann::json report = nlohmann::json::parse(ReadFile(dir.File("r.json")));
  std::set<std::pair<std::string, std::string>> wrong;
  for (const auto& value : report["wrongKinds"])
    wrong.emplace(value["key"].get<std::string>(), value["where"].get<std::string>());
  const std::set<std::pair<std::string, std::string>> expected = {
      {"railroad_level", "province 8"}, {"badboy", "country ENG"}, {"type", "country ENG"}};
  EXPECT_EQ(wrong, expected);  // a list of numbers for the capital is of the right kind
}

// No report of a run that did not save, and a report on standard output alone.
TEST(ReportOutput, FailedRunsWriteNoneAndStandardOutputHoldsOnlyTheReport) {
  TempDir dir;
  const CliResult failed = RunCli("convert " + Quoted(kSource + "/Data/Data.txt") + " " + Quoted(dir.File("s.kst")) +
                                  " --report " + Quoted(dir.File("r.md")) + " --report-json " + Quoted(dir.File("r.json")));
  EXPECT_EQ(failed.exitCode, 1);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  const CliResult toOutput = RunCommand(Quoted(QUILLMERE_CLI) + " " + kConvert + Quoted(dir.File("s.kst")) + kPlan +
                                        " --report - 2>/dev/null");
  EXPECT_EQ(toOutput.exitCode, 0);
  EXPECT_EQ(toOutput.output.rfind("# Conversion report\n", 0), 0u);
  EXPECT_EQ(toOutput.output.find("File saved successfully!"), std::string::npos);
}

}  // namespace

#endif
