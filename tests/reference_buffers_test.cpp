// The reference data loaded from bytes alone gives what the shipped Data folder
// gives: the same status lines, the same tables and the same findings. The
// bytes are loaded in an empty working folder, where the names they carry lead
// to no file, so nothing can have been opened.
#include "refdata/reference_data.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/files/data_folder_files.h"
#include "convert/reference_check.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::string> FindingLines(const ReferenceData& data) {
  std::vector<std::string> lines;
  for (const DataFinding& finding : CheckReferenceData(data)) lines.push_back(FindingLine(finding));
  return lines;
}

ReferenceBuffer Bytes(const std::string& name) {
  return {name, ReferenceBuffer::State::kRead, ReadFile(name)};
}

TEST(ReferenceBuffers, LoadAsTheDataFolderDoesWithoutOpeningAFile) {
  const fs::path previous = fs::current_path();
  fs::current_path(QUILLMERE_SOURCE_DIR);
  LineCollector folderLines;
  ReferenceData fromFolder;
  ASSERT_FALSE(fromFolder.Load(folderLines, ReadDataFolder("Data")));
  const ReferenceBuffer noTable{"Data/Provinces.txt", ReferenceBuffer::State::kMissing, {}};
  const ReferenceBuffers buffers{noTable, Bytes("Data/Countries.txt"), Bytes("Data/Bases.txt"),
                                 Bytes("Data/Data.txt"), "PROV550;Oldtown;x\r\nPROV12;Port\n"};

  const TempDir empty;
  fs::current_path(empty.path());
  LineCollector bufferLines;
  ReferenceData fromBuffers;
  const bool loaded = !fromBuffers.Load(bufferLines, buffers);
  fs::current_path(previous);

  ASSERT_TRUE(loaded);
  EXPECT_EQ(bufferLines.lines, folderLines.lines);
  EXPECT_TRUE(fromBuffers.tables.tags.HasTagTable() && fromBuffers.tables.tags.HasMergeTable());
  EXPECT_FALSE(fromBuffers.tables.settings.ports.empty());
  EXPECT_EQ(fromBuffers.tables, fromFolder.tables);
  EXPECT_EQ(fromBuffers.provinces.Text(), fromFolder.provinces.Text());
  EXPECT_EQ(FindingLines(fromBuffers), FindingLines(fromFolder));
  EXPECT_EQ(fromBuffers.provinceNames.Label(550), "550, Oldtown");
  EXPECT_EQ(fromBuffers.provinceNames.Label(12), "12, Port");
  EXPECT_EQ(fromFolder.provinceNames.Label(550), "550");
}

}  // namespace
