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
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/files/script_file_io.h"
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
  LoadScriptFile(file, path, path, log);
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

// The JSON report at path validated against its schema by python3-jsonschema.
void ExpectFollowsTheSchema(const std::string& path) {
  const CliResult check = RunCommand(
      "python3 -c 'import json, sys, jsonschema; "
      "jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' " +
      Quoted(path) + " " + Quoted(kSource + "/app/core/report.schema.json"));
  EXPECT_EQ(check.exitCode, 0) << check.output;
}

// few.kst with each text of edits replaced.
std::string EditedFew(std::initializer_list<std::pair<std::string, std::string>> edits) {
  std::string save = ReadFile(kSource + "/tests/data/few.kst");
  for (const auto& [from, to] : edits) {
    const size_t at = save.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) save.replace(at, from.size(), to);
  }
  return save;
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

TEST_F(Report, JsonFollowsItsSchema) { ExpectFollowsTheSchema(dir.File("report.json")); }

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

// Values the conversion passes over for their kind are counted per key, with
// the first five places they stand in and how many stand there; nothing else
// is counted.
TEST(ReportOutput, CountsTheValuesOfTheWrongKindPerKeyAndPlace) {
  TempDir dir;
  std::string save = EditedFew({{"id = 8 railroad_level = 2", "id = 8 railroad_level = high"},
                                {"badboy = 2", "badboy = x"},
                                {"capital = 8", "capital = { 8 9 } badboy = none"},
                                {"capital = 1441", "capital = 1441 badboy = none"},
                                {"name = \"1st Horse\" type = cavalry", "name = \"1st Horse\" type = 7"}});
  for (int id = 2; id <= 7; ++id) save += "province = { id = " + std::to_string(id) + " railroad_level = high }\n";
  WriteFile(dir.File("save.kst"), save);
  const CliResult run = RunCli("convert " + Quoted(dir.File("save.kst")) + " " + Quoted(dir.File("s.kst")) +
                               " --assign-rest ENG --report " + Quoted(dir.File("r.md")) + " --report-json " +
                               Quoted(dir.File("r.json")));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ExpectFollowsTheSchema(dir.File("r.json"));
  const nlohmann::json report = nlohmann::json::parse(ReadFile(dir.File("r.json")));
  std::ostringstream counted;
  for (const auto& kind : report["wrongKinds"]) {
    counted << kind["key"].get<std::string>() << ' ' << kind["count"] << ':';
    for (const auto& place : kind["firstPlaces"]) counted << ' ' << place["where"].get<std::string>() << ' ' << place["count"];
    counted << '\n';
  }
  // Badboy twice in ENG; a list of numbers for the capital is of the right kind.
  EXPECT_EQ(counted.str(),
            "railroad_level 7: province 8 1 province 2 1 province 3 1 province 4 1 province 5 1\n"
            "badboy 3: country ENG 2 country FRA 1\n"
            "type 1: country ENG 1\n");
  const std::string markdown = ReadFile(dir.File("r.md"));
  EXPECT_NE(markdown.find("| railroad_level | 7 | province 8 (1), province 2 (1), province 3 (1), province 4 (1), "
                          "province 5 (1), and 2 more elsewhere |\n| badboy | 3 | country ENG (2), country FRA (1) |\n"
                          "| type | 1 | country ENG (1) |\n"),
            std::string::npos)
      << markdown;
}

// Names of the save's code page, Windows-1252, in the save's path, the data
// folder and a country tag: both reports show each as the same UTF-8 (the
// bytes that code page leaves undefined as U+FFFD), and the JSON follows its
// schema.
TEST(ReportText, Windows1252NamesAreTheSameUtf8InBothReports) {
  TempDir dir;
  const std::string data = dir.File("D\xe4ta");
  const std::string folder = dir.File("\xed\xa0\x80\x81");
  std::filesystem::create_directories(data);
  std::filesystem::create_directories(folder);
  for (const char* file : {"Bases.txt", "Data.txt"})
    std::filesystem::copy_file(kSource + "/Data/" + file, data + "/" + file);
  std::string countries = ReadFile(kSource + "/Data/Countries.txt");
  countries.replace(countries.find("    ENG = ENG"), 13, "    \xc4\xd6\xdc = ENG");
  WriteFile(data + "/Countries.txt", countries);
  const std::string save = EditedFew({{"tag = ENG", "tag = \xc4\xd6\xdc"}});
  WriteFile(folder + "/caf\xe9.kst", save);
  const CliResult run = RunCli("convert " + Quoted(folder + "/caf\xe9.kst") + " " + Quoted(dir.File("s.kst")) +
                               " --data " + Quoted(data) + " --assign-rest FRA --report " + Quoted(dir.File("r.md")) +
                               " --report-json " + Quoted(dir.File("r.json")));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  ExpectFollowsTheSchema(dir.File("r.json"));
  const nlohmann::json json = nlohmann::json::parse(ReadFile(dir.File("r.json")));
  const std::string shownSave = dir.File("\xc3\xad\xc2\xa0\xe2\x82\xac\xef\xbf\xbd/caf\xc3\xa9.kst");
  const std::string shownData = dir.File("D\xc3\xa4ta");
  const std::string shownTag = "\xc3\x84\xc3\x96\xc3\x9c";
  EXPECT_EQ(json["run"]["save"], shownSave);
  EXPECT_EQ(json["run"]["dataFolder"], shownData);
  EXPECT_EQ(json["countries"][0]["source"], shownTag);
  const std::string markdown = ReadFile(dir.File("r.md"));
  for (const std::string& row : {"| Save | " + shownSave + " (" + std::to_string(save.size()) + " bytes) |",
                                 "| Data folder | " + shownData + " |", "| " + shownTag + " | converted to ENG |"})
    EXPECT_NE(markdown.find(row), std::string::npos) << row;
}

// A save whose name holds a line end, a pipe, a backslash, a heading mark and
// an HTML tag: the Markdown report's run table still has one row per fact, its
// headings are its own, and no tag is left for a viewer to show.
TEST(ReportText, NoFileNameAddsARowOrAHeading) {
  TempDir dir;
  const std::string name = "a\n| x | y |\r\n# b\\ <img src=x> & c.kst";
  std::filesystem::copy_file(kSource + "/tests/data/few.kst", dir.File(name));
  const CliResult run = RunCli("convert " + Quoted(dir.File(name)) + " " + Quoted(dir.File("s.kst")) +
                               " --assign-rest ENG --report " + Quoted(dir.File("r.md")));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  const std::string markdown = ReadFile(dir.File("r.md"));
  std::string headings;
  int runRows = 0;
  bool inRun = false;
  for (size_t start = 0, end; start < markdown.size(); start = end + 1) {
    end = markdown.find('\n', start);
    const std::string line = markdown.substr(start, end - start);
    if (line.rfind("#", 0) == 0) headings += line + "\n";
    if (line.rfind("#", 0) == 0) inRun = line == "## Run";
    if (inRun && line.rfind("|", 0) == 0) ++runRows;
  }
  EXPECT_EQ(headings,
            "# Conversion report\n## Run\n## Countries\n### Countries of the scenario\n### Dropped countries\n"
            "## Provinces\n### Source provinces the table does not map\n### Contested provinces\n"
            "### Provinces left without an owner\n## Alliances\n## Values of the wrong kind\n");
  EXPECT_EQ(runRows, 2 + 13);  // the head, its rule, and program, save, data, table, eight settings, time
  EXPECT_EQ(markdown.find('\r'), std::string::npos);
  EXPECT_EQ(markdown.find('<'), std::string::npos);
  const std::string shown = "a\xe2\x90\x8a\\| x \\| y \\|\xe2\x90\x8d\xe2\x90\x8a# b\\\\ &lt;img src=x&gt; &amp; c.kst";
  EXPECT_NE(markdown.find("| Save | " + dir.File(shown) + " ("), std::string::npos) << markdown;
}

// A save read from a pipe has no size to ask for: the report shows the bytes
// read.
TEST(ReportOutput, APipedSaveShowsTheBytesRead) {
  TempDir dir;
  const std::string few = kSource + "/tests/data/few.kst";
  const CliResult run = RunCommand("cat " + Quoted(few) + " | " + Quoted(QUILLMERE_CLI) + " convert /dev/stdin " +
                                   Quoted(dir.File("s.kst")) + " --assign-rest ENG --report-json " +
                                   Quoted(dir.File("r.json")));
  ASSERT_EQ(run.exitCode, 0) << run.output;
  EXPECT_EQ(nlohmann::json::parse(ReadFile(dir.File("r.json")))["run"]["saveBytes"], ReadFile(few).size());
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
