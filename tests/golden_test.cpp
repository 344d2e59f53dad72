// Conversions kept byte for byte: each folder under tests/golden holds a case.
//   command.txt              the arguments, with {source} for the source folder,
//                            {case} for the case's folder and {out} for a fresh
//                            folder the scenario is written to
//   expected-stdout.txt      what the program prints
//   expected-stderr.txt
//   expected-exit-code.txt
//   expected-scenario.kst    the scenario written as {out}/scenario.kst; without
//                            it, none may be written
// and the inputs the command names (save.kst, a Game folder with its names file).
#ifndef _WIN32
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const fs::path kGolden = fs::path(QUILLMERE_SOURCE_DIR) / "tests" / "golden";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(kGolden))
    if (entry.is_directory()) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenConversion : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenConversion, GivesTheKeptBytes) {
  const fs::path folder = kGolden / GetParam();
  TempDir out;
  std::string arguments = Trimmed(ReadFile((folder / "command.txt").string()));
  arguments = Replaced(arguments, "{source}", QUILLMERE_SOURCE_DIR);
  arguments = Replaced(arguments, "{case}", folder.string());
  arguments = Replaced(arguments, "{out}", out.path().string());
  const std::string command = std::string(QUILLMERE_CLI) + " " + arguments + " > '" +
                              out.File("stdout.txt") + "' 2> '" + out.File("stderr.txt") + "' < /dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << command;
  EXPECT_EQ(std::to_string(WEXITSTATUS(status)), Trimmed(ReadFile((folder / "expected-exit-code.txt").string())));
  EXPECT_EQ(ReadFile(out.File("stdout.txt")), ReadFile((folder / "expected-stdout.txt").string()));
  EXPECT_EQ(ReadFile(out.File("stderr.txt")), ReadFile((folder / "expected-stderr.txt").string()));
  const fs::path expectedScenario = folder / "expected-scenario.kst";
  ASSERT_EQ(fs::exists(out.File("scenario.kst")), fs::exists(expectedScenario));
  if (fs::exists(expectedScenario)) {
    EXPECT_TRUE(ReadFile(out.File("scenario.kst")) == ReadFile(expectedScenario.string()))
        << "the scenario differs from " << expectedScenario;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenConversion, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace

#endif  // _WIN32
