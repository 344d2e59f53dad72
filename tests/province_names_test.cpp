#include "refdata/province_names.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "refdata/game_folder.h"
#include "tests/test_files.h"

namespace {

// Province names as the game's file gives them.
ProvinceNames NamesFromFile(std::string_view bytes) {
  TempDir dir;
  WriteFile(dir.File("names.csv"), bytes);
  std::optional<ProvinceNames> names = ProvinceNames::FromFile(dir.File("names.csv"));
  EXPECT_TRUE(names.has_value());
  return names ? std::move(*names) : ProvinceNames();
}

TEST(ProvinceNameLines, AreTheLinesUpToEachLineFeed) {
  const ProvinceNames names = NamesFromFile("PROV1;A\nPROV2;B\r\n\nPROV3;C");
  EXPECT_EQ(names.Name(1), "A");
  EXPECT_EQ(names.Name(2), "B");
  EXPECT_EQ(names.Name(3), "PROV3");
}

TEST(ProvinceNameLines, EndAtAZeroByte) {
  constexpr char kBytes[] = "PROV1;A\nPROV2;B\0\nPROV3;C\n";
  const ProvinceNames names = NamesFromFile(std::string_view(kBytes, sizeof kBytes - 1));
  EXPECT_EQ(names.Name(1), "A");
  EXPECT_EQ(names.Name(2), "PROV2");
  EXPECT_EQ(names.Name(3), "PROV3");
}

TEST(ProvinceNameLines, AreNoneWithoutTheFile) {
  TempDir dir;
  EXPECT_FALSE(ProvinceNames::FromFile(dir.File("missing.csv")).has_value());
}

TEST(ProvinceNameLines, OfAnyLengthAreReadWhole) {
  const std::string name(200'000, 'x');
  EXPECT_EQ(NamesFromFile(std::string(100'000, '\n') + "PROV4;" + name + "\n").Name(4), name);
}

TEST(ProvinceNameLookup, TakesTheSecondFieldOfTheFirstMatchingLine) {
  const ProvinceNames names({"PROV120;Wrong;x", "prov12;Lower", "PROV12;Oldtown;x", "PROV12;Later"});
  EXPECT_EQ(names.Name(12), "Oldtown");
  EXPECT_EQ(names.Name(120), "Wrong");
}

TEST(ProvinceNameLookup, ReadsTheNameToTheEndOfALineWithTwoFields) {
  EXPECT_EQ(ProvinceNames({"PROV7;Saltgate"}).Name(7), "Saltgate");
  EXPECT_EQ(ProvinceNames({"PROV7;"}).Name(7), "");
  EXPECT_EQ(ProvinceNames({"PROV7"}).Name(7), "");
}

TEST(ProvinceNameLookup, GivesTheKeyWhenNoLineMatches) {
  EXPECT_EQ(ProvinceNames({"PROV1;A", "PROV10250;B"}).Name(1025), "PROV1025");
  EXPECT_EQ(ProvinceNames(std::vector<std::string>{}).Name(3), "PROV3");
}

// A key names an id only as "PROV" and the id written as the id is written.
TEST(ProvinceNameLookup, MatchesKeysOnlyInTheirOwnSpelling) {
  const ProvinceNames names({"PROV07;Padded", "PROV+7;Plus", "PROV-0;Minus zero", "PROV 7;Space",
                             "PROV7x;Suffix", "PROV4294967303;Wide", "PROV-5;Minus five",
                             "PROV0;Zero", "PROV2147483647;Top", "PROV-2147483648;Bottom"});
  EXPECT_EQ(names.Name(7), "PROV7");
  EXPECT_EQ(names.Name(0), "Zero");
  EXPECT_EQ(names.Name(-5), "Minus five");
  EXPECT_EQ(names.Name(2147483647), "Top");
  EXPECT_EQ(names.Name(-2147483647 - 1), "Bottom");
}

TEST(ProvinceLabel, JoinsIdAndName) {
  const ProvinceNames names = NamesFromFile("PROV12;Oldtown;x\n");
  EXPECT_TRUE(names.loaded());
  EXPECT_EQ(names.Label(12), "12, Oldtown");
}

TEST(ProvinceLabel, TakesTheFirstOfTwoLinesForOneProvince) {
  EXPECT_EQ(NamesFromFile("PROV5;First\nPROV5;Second\n").Label(5), "5, First");
}

TEST(ProvinceLabel, CarriesNoCarriageReturnFromWindowsLineEnds) {
  const ProvinceNames names = NamesFromFile("PROV12;Oldtown\r\nPROV13\r\nPROV14;Marsh;x\r\n");
  EXPECT_EQ(names.Label(12), "12, Oldtown");
  EXPECT_EQ(names.Label(13), "13, ");
  EXPECT_EQ(names.Label(14), "14, Marsh");
}

TEST(ProvinceLabel, NamesTheProvinceOfAnUnfinishedLastLineByItsKey) {
  const ProvinceNames names = NamesFromFile("PROV1;Harbour\nPROV2;Inland");
  EXPECT_EQ(names.Label(1), "1, Harbour");
  EXPECT_EQ(names.Label(2), "2, PROV2");
}

TEST(ProvinceLabel, IsTheBareIdWithoutNames) {
  EXPECT_FALSE(ProvinceNames().loaded());
  EXPECT_EQ(ProvinceNames().Label(1025), "1025");
}

TEST(ProvinceNamesOfAFolder, AreReadFromItsConfigFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Config");
  WriteFile((dir.path() / "Config" / "province_names.csv").string(), "PROV9;Fenmouth\n");
  const FixedGameFolder folder(dir.path().string());
  EXPECT_EQ(ProvinceNames::FromFolder(folder.Find()).Label(9), "9, Fenmouth");
}

TEST(ProvinceNamesOfAFolder, AreBareIdsWithoutAFolderOrItsFile) {
  TempDir dir;
  EXPECT_EQ(ProvinceNames::FromFolder(FixedGameFolder(std::nullopt).Find()).Label(1025), "1025");
  EXPECT_FALSE(ProvinceNames::FromFolder(dir.path().string()).loaded());
}

TEST(ProvinceNamesFile, FollowsTheFolderWithoutChangingIt) {
#ifdef _WIN32
  EXPECT_EQ(NamesFilePath("C:\\Games\\Brackenfold"), "C:\\Games\\Brackenfold\\Config\\province_names.csv");
#else
  EXPECT_EQ(NamesFilePath("/opt/brackenfold"), "/opt/brackenfold/Config/province_names.csv");
  EXPECT_EQ(NamesFilePath("/opt/brackenfold/"), "/opt/brackenfold//Config/province_names.csv");
#endif
}

}  // namespace
