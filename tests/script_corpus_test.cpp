// Real files written by others, kept outside the repository beside the checkout.
#include <gtest/gtest.h>

#include <filesystem>

#include "script/script_file.h"
#include "tests/test_files.h"

namespace {

std::filesystem::path CorpusDir() {
  return std::filesystem::path(QUILLMERE_SOURCE_DIR) / ".." / "shared" / "corpus" / "files";
}

std::string Formatted(const std::string& in, const std::string& out) {
  LineCollector log;
  ScriptFile file;
  EXPECT_TRUE(file.Load(in, in, log));
  EXPECT_TRUE(file.Save(out, "G", log));
  return ReadFile(out);
}

TEST(ScriptCorpus, FormattingTwiceGivesTheSameBytes) {
  if (!std::filesystem::is_directory(CorpusDir())) GTEST_SKIP() << "no corpus beside the checkout";
  TempDir dir;
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(CorpusDir())) {
    if (!entry.is_regular_file() || entry.path().extension() == ".csv") continue;
    SCOPED_TRACE(entry.path().string());
    std::string once = Formatted(entry.path().string(), dir.File("once.kst"));
    std::string twice = Formatted(dir.File("once.kst"), dir.File("twice.kst"));
    EXPECT_EQ(once, twice);
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
