// The conversion driver: the check of a source save, the result codes, the
// player's country and the scenario header.
#include <gtest/gtest.h>

#include "convert/scenario_converter.h"
#include "refdata/province_map.h"
#include "tests/script_text.h"

namespace {

using Lines = std::vector<std::string>;

struct Reference {
  explicit Reference(std::string_view countries = "tag_conversion_table = { ENG = ENG FRA = FRA }\n"
                                                  "mother_merge_table = { SAX = GER }\n",
                     std::string_view data = "") {
    countriesFile.root = ParseScript(countries);
    basesFile.root = ParseScript("base = { id = 1 }\n");
    dataFile.root = ParseScript(data);
    provinces.Set(12, {550});
  }
  ProvinceMap provinces;
  ScriptFile countriesFile, basesFile, dataFile;
};

struct Conversion {
  explicit Conversion(std::string_view save, const Reference& reference = Reference()) {
    converter.root = ParseScript(save);
    result = converter.Convert(reference.provinces, reference.countriesFile, reference.basesFile,
                               reference.dataFile, log);
  }
  const ScriptNode* Header() const { return converter.root->FirstChild("header"); }
  std::string Saved() const { return std::string(converter.root->FirstChild("saved")->TextAt(0)); }
  ScenarioConverter converter;
  LineCollector log;
  ConversionResult result = ConversionResult::kConverted;
};

constexpr std::string_view kSaveHeader = "header = { pop = { total = 1 } }\n";

TEST(ScenarioConverter, RefusesFilesThatAreNotSaves) {
  const Lines refused{"", "NOT A SALTMARCH SAVE GAME FILE!", "Please retry with proper file.",
                      "Aborting, Aborting ..."};
  for (std::string_view save : {"a = 1\n", "header = { x = { y = { pop = 1 } } }\n",
                                "header = { a = 1 }\nheader = { pop = 1 }\n"}) {
    Conversion c(save);
    EXPECT_EQ(c.result, ConversionResult::kNotASave) << save;
    EXPECT_EQ(c.log.lines, refused);
    ScriptFile loaded;  // the loaded tree is left as it was
    loaded.root = ParseScript(save);
    EXPECT_EQ(WrittenChildren(c.converter.root), WrittenChildren(loaded.root));
  }
  EXPECT_EQ(Conversion("header = { x = 1 pop = 2 }\n").result, ConversionResult::kConverted);
  EXPECT_EQ(Conversion("header = { x = { pop = 1 } pop = { } }\n").result, ConversionResult::kConverted);
}

TEST(ScenarioConverter, MissingSectionsStopBeforeAnythingIsWritten) {
  Reference noTags("mother_merge_table = { }\n", "ic_mod = 5\n");
  Conversion c(kSaveHeader, noTags);
  EXPECT_EQ(c.result, ConversionResult::kNoTagTable);
  EXPECT_EQ(c.converter.icModifier, 5);  // Data.txt is read all the same
  EXPECT_EQ(c.converter.root->ItemCount(), 0);
  EXPECT_EQ(c.log.lines, Lines{"Converting file..."});

  EXPECT_EQ(Conversion(kSaveHeader, Reference("tag_conversion_table = { }\n")).result,
            ConversionResult::kNoMergeTable);
  EXPECT_EQ(Conversion(kSaveHeader, Reference("other = 1\n")).result,
            ConversionResult::kNoMergeTable);
}

TEST(ScenarioConverter, PlayerTagComesFromTheFirstNamedPlayer) {
  Conversion c("header = { pop = 1 FRA = { playername = \"AI:\" } ENG = { playername = \"Hot seat: Ann\" } }\n");
  EXPECT_EQ(c.Saved(), "ENG");
  EXPECT_EQ(c.Header()->ChildAt(3)->name(), "ENG");  // after name, startdate, selectable

  Conversion merged("header = { pop = 1 }\nSAX = { playername = \"Max\" }\n");
  EXPECT_EQ(merged.Saved(), "GER");

  Conversion spaces("header = { pop = 1 FRA = { playername = \"a : \" } ENG = { playername = Ann } }\n");
  EXPECT_EQ(spaces.Saved(), "ENG");
}

TEST(ScenarioConverter, SaveWithoutPlayerWritesAnEmptyTextThatReadsBack) {
  Conversion c(kSaveHeader);
  TempDir dir;
  ASSERT_TRUE(c.converter.Save(dir.File("out.kst"), "G", c.log));
  EXPECT_NE(ReadFile(dir.File("out.kst")).find("saved = \"\"\nheader"), std::string::npos);
  LineCollector log;
  ScriptFile back;
  ASSERT_TRUE(back.Load(dir.File("out.kst"), "out.kst", log));
  EXPECT_EQ(log.lines.size(), 3u);  // no error lines
  EXPECT_EQ(back.root->FirstChild("saved")->TextAt(0), "");
  EXPECT_NE(back.root->FirstChild("header"), nullptr);
}

TEST(ScenarioConverter, HeaderHoldsAtMostTenCountries) {
  std::string countries = "tag_conversion_table = {";
  std::string selectable;
  for (int i = 0; i < 15; ++i) {
    const std::string tag{'T', static_cast<char>('A' + i), 'X'};
    countries += " " + tag + " = " + tag;
    selectable += " " + tag;
  }
  Reference reference(countries + " ENG = ENG }\nmother_merge_table = { }\n");
  Conversion c("header = { pop = 1 selectable = {" + selectable +
                   " ZZZ } ENG = { playername = Ann } }\n",
               reference);
  const ScriptNode* header = c.Header();
  EXPECT_EQ(header->FirstChild("selectable")->ItemCount(), 15);
  ASSERT_EQ(header->ItemCount(), 3 + 10);
  EXPECT_EQ(header->ChildAt(3)->name(), "ENG");
  EXPECT_EQ(header->ChildAt(12)->name(), "TIX");
}

TEST(ScenarioConverter, ScenarioTopLevelOrder) {
  Conversion c(kSaveHeader);
  Lines names;
  for (int i = 0; i < c.converter.root->ItemCount(); ++i)
    names.emplace_back(c.converter.root->ChildAt(i)->name());
  Lines expected{"name", "saved", "header", "globaldata", "province", "base", "include"};
  expected.insert(expected.end(), 13, "event");
  EXPECT_EQ(names, expected);
  EXPECT_EQ(c.converter.sourceRoot, nullptr);  // the source tree is released
  EXPECT_EQ(WrittenText(c.converter.root->FirstChild("globaldata")),
            "globaldata = \n{\n    startdate = \n    {\n        year = 1936\n        month = january\n"
            "        day = 0\n    }\n    enddate = \n    {\n        year = 1949\n"
            "        month = january\n        day = 0\n    }\n}\n");
}

TEST(ScenarioConverter, ProvinceRecordsFromTheBuiltInTable) {
  ProvinceMap provinces;
  LineCollector log;
  provinces.Build("Provinces.txt", log);
  ScenarioConverter converter;
  converter.BuildProvinceRecords(provinces);
  EXPECT_EQ(converter.targetProvinceIds.size(), 1861u);
  EXPECT_EQ(converter.provinceRecords.size(), 1861u);
  EXPECT_EQ(std::count(converter.targetProvinceIds.begin(), converter.targetProvinceIds.end(), 1642), 3);
  EXPECT_EQ(std::count(converter.targetProvinceIds.begin(), converter.targetProvinceIds.end(), 552), 0);
  EXPECT_EQ(converter.provinceRecords.front().id, converter.targetProvinceIds.front());
}

}  // namespace
