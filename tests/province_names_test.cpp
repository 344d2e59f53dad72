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
  std::optional<std::vector<std::string>> lines = LoadNameLines(dir.File("names.csv"));
  EXPECT_TRUE(lines.has_value());
  return lines ? ProvinceNames(std::move(*lines)) : ProvinceNames();
}

TEST(ProvinceNameLines, AreTheLinesUpToEachLineFeed) {
  TempDir dir;
  WriteFile(dir.File("names.csv"), "PROV1;A\nPROV2;B\r\n\nPROV3;C");
  const auto lines = LoadNameLines(dir.File("names.csv"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (std::vector<std::string>{"PROV1;A", "PROV2;B", ""}));
}

TEST(ProvinceNameLines, EndAtAZeroByte) {
  TempDir dir;
  constexpr char kBytes[] = "PROV1;A\nPROV2;B\0\nPROV3;C\n";
  WriteFile(dir.File("names.csv"), std::string_view(kBytes, sizeof kBytes - 1));
  const auto lines = LoadNameLines(dir.File("names.csv"));
  ASSERT_TRUE(lines.has_value());
  EXPECT_EQ(*lines, (std::vector<std::string>{"PROV1;A"}));
}

TEST(ProvinceNameLines, AreNoneWithoutTheFile) {
  TempDir dir;
  EXPECT_FALSE(LoadNameLines(dir.File("missing.csv")).has_value());
}

TEST(ProvinceNameLookup, TakesTheSecondFieldOfTheFirstMatchingLine) {
  const std::vector<std::string> lines{"PROV120;Wrong;x", "prov12;Lower", "PROV12;Oldtown;x",
                                       "PROV12;Later"};
  EXPECT_EQ(LookupProvinceName(12, lines), "Oldtown");
  EXPECT_EQ(LookupProvinceName(120, lines), "Wrong");
}

TEST(ProvinceNameLookup, ReadsTheNameToTheEndOfALineWithTwoFields) {
  EXPECT_EQ(LookupProvinceName(7, {"PROV7;Saltgate"}), "Saltgate");
  EXPECT_EQ(LookupProvinceName(7, {"PROV7;"}), "");
  EXPECT_EQ(LookupProvinceName(7, {"PROV7"}), "");
}

TEST(ProvinceNameLookup, GivesTheKeyWhenNoLineMatches) {
  EXPECT_EQ(LookupProvinceName(1025, {"PROV1;A", "PROV10250;B"}), "PROV1025");
  EXPECT_EQ(LookupProvinceName(3, {}), "PROV3");
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
