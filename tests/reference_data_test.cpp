// Start-up loading of the reference data and the settings the conversion reads from it.
#include <gtest/gtest.h>

#include "app/core/run_messages.h"
#include "convert/scenario_converter.h"
#include "refdata/data_folder.h"
#include "refdata/reference_data.h"
#include "tests/script_text.h"

namespace {

using Lines = std::vector<std::string>;

struct DataFolder {
  DataFolder() {
    WriteFile(dir.File("Countries.txt"), "tag_conversion_table = { ENG = ENG }\n");
    WriteFile(dir.File("Bases.txt"), "");
    WriteFile(dir.File("Data.txt"), "ic_mod = 2\n");
  }
  std::string Path() const { return dir.path().string(); }
  TempDir dir;
};

TEST(ReferenceData, StartUpLoadsTheTablesInOrder) {
  DataFolder folder;
  ReferenceData data;
  LineCollector log;
  EXPECT_EQ(data.Load(log, folder.Path()), std::nullopt);
  EXPECT_EQ(log.lines, (Lines{"Loading Provinces.txt...", "2303 provinces loaded.", "",
                              "Loading Data\\Countries.txt...", "0.0 kb loaded.", "",
                              "Loading Data\\Bases.txt...", "0.0 kb loaded.", "",
                              "Loading Data\\Data.txt...", "0.0 kb loaded.", ""}));
  EXPECT_EQ(data.provinces.Count(), 2303u);
  EXPECT_NE(data.countriesFile.root->FirstChild("tag_conversion_table"), nullptr);
}

TEST(ReferenceData, MissingFileStopsTheStartUp) {
  DataFolder folder;
  std::filesystem::remove(folder.dir.File("Bases.txt"));
  ReferenceData data;
  LineCollector log;
  EXPECT_EQ(data.Load(log, folder.Path()), ReferencePart::kBases);
  ASSERT_EQ(log.lines.size(), 8u);
  EXPECT_EQ(log.lines[6], "Loading Data\\Bases.txt...");
  EXPECT_EQ(log.lines[7], "Could not open " + DataFilePath(folder.Path(), "Bases.txt") + " for input");
  EXPECT_EQ(data.dataFile.root, nullptr);  // Data.txt is not attempted
  EXPECT_EQ(StartupFailureMessage(ReferencePart::kBases),
            "Error! Failed to locate \"Data\\Bases.txt\"! Program is aborting...");
  EXPECT_EQ(ConversionFailureMessage(ConversionResult::kNoMergeTable),
            "Error! Could not find mother_merge_table section in \"Country.txt\"");
  EXPECT_EQ(ConversionFailureMessage(ConversionResult::kAssignmentAborted),
            "There were errors when converting this file!");
}

TEST(ReferenceData, DataFolderIsFoundBesideTheProgram) {
  TempDir dir;
  const std::string program = (dir.path() / "bin" / "quillmere").string();
  EXPECT_EQ(FindDataFolder("given", program), "given");
  const auto here = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());  // no Data folder here
  std::filesystem::create_directories(dir.path() / "share" / "quillmere" / "Data");
  EXPECT_EQ(FindDataFolder("", program), (dir.path() / "share" / "quillmere" / "Data").string());
  std::filesystem::create_directories(dir.path() / "bin" / "Data");
  EXPECT_EQ(FindDataFolder("", program), (dir.path() / "bin" / "Data").string());
  std::filesystem::create_directories(dir.path() / "Data");
  EXPECT_EQ(FindDataFolder("", program), "Data");
  std::filesystem::current_path(here);
}

// The settings of a Data.txt with the given text.
struct Settings {
  explicit Settings(std::string_view text) {
    data.root = ParseScript(text);
    converter.LoadSettings(data);
    converter.LoadUnitRatios(data);
  }
  std::vector<double> Factors() const {
    const ScenarioConverter& c = converter;
    return {c.infantryFactor, c.irregularFactor, c.armorFactor,
            c.navyFactor,     c.destroyerFactor, c.transportFactor};
  }
  ScriptFile data;
  ScenarioConverter converter;
};

TEST(Settings, IcModifierIsClamped) {
  EXPECT_EQ(Settings("ic_mod = 12").converter.icModifier, 9.9);
  EXPECT_EQ(Settings("ic_mod = 0.05").converter.icModifier, 0.1);
  EXPECT_EQ(Settings("ic_mod = 0").converter.icModifier, 0.1);
  EXPECT_EQ(Settings("ic_mod = 2.5").converter.icModifier, 2.5);
  EXPECT_EQ(Settings("").converter.icModifier, 1.0);
}

TEST(Settings, RatiosRepeatTheLastPresentOne) {
  using F = std::vector<double>;
  EXPECT_EQ(Settings("").Factors(), F(6, 0.5));
  EXPECT_EQ(Settings("inf_mod = 3.5").Factors(), F(6, 0.25));
  EXPECT_EQ(Settings("inf_mod = 3.5 irr_mod = 1").Factors(), (F{0.25, 0.5, 0.5, 0.5, 0.5, 0.5}));
  EXPECT_EQ(Settings("arm_mod = 5 dest_mod = 2.5").Factors(), (F{0.5, 0.5, 0.2, 0.2, 0.34, 0.34}));
  EXPECT_EQ(Settings("inf_mod = 4 navy_mod = 3").Factors(), (F{0.25, 0.25, 0.25, 0.34, 0.34, 0.34}));
}

TEST(Settings, ManpowerSwitchIgnoresCase) {
  EXPECT_TRUE(Settings("convert_manpower = Yes").converter.convertManpower);
  EXPECT_TRUE(Settings("convert_manpower = YES").converter.convertManpower);
  EXPECT_FALSE(Settings("convert_manpower = no").converter.convertManpower);
  EXPECT_FALSE(Settings("convert_manpower = yess").converter.convertManpower);
  EXPECT_FALSE(Settings("").converter.convertManpower);
}

TEST(Settings, WrongKindsAndNestedKeysCountAsAbsent) {
  Settings wrong("ic_mod = high\nconvert_manpower = 1\ninf_mod = fast\nports = { a b }\n");
  EXPECT_EQ(wrong.converter.icModifier, 1.0);
  EXPECT_FALSE(wrong.converter.convertManpower);
  EXPECT_EQ(wrong.Factors(), std::vector<double>(6, 0.5));
  EXPECT_EQ(wrong.converter.portsNode, nullptr);

  Settings nested("options = { ic_mod = 5 convert_manpower = yes inf_mod = 5 ports = { 1 } }");
  EXPECT_EQ(nested.converter.icModifier, 1.0);
  EXPECT_FALSE(nested.converter.convertManpower);
  EXPECT_EQ(nested.converter.infantryFactor, 0.5);
  EXPECT_EQ(nested.converter.portsNode, nullptr);

  Settings first("ic_mod = 3\nic_mod = 4\nports = { 550 92 }\n");  // the first entry counts
  EXPECT_EQ(first.converter.icModifier, 3);
  ASSERT_NE(first.converter.portsNode, nullptr);
  EXPECT_EQ(first.converter.portsNode->ItemCount(), 2);
}

}  // namespace
