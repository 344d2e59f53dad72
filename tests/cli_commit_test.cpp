// The outputs of a conversion take their places together, or none does: every
// output is opened before any work, a report that cannot be written fails the
// run before the scenario is replaced, and a run that replaced only some says
// which. Standard output is an output like the others.
#ifndef _WIN32
#include <gtest/gtest.h>

#include <sys/mount.h>

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

namespace fs = std::filesystem;

const std::string kSource = QUILLMERE_SOURCE_DIR;
const std::string kFew = kSource + "/tests/data/few.kst";

std::string ConvertLine(const std::string& scenario, const std::string& options) {
  return Quoted(QUILLMERE_CLI) + " convert " + Quoted(kFew) + " " + Quoted(scenario) + " --data " +
         Quoted(kSource + "/Data") + " --assign-rest ENG " + options;
}

std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Calls that no output can follow are refused before any work, exit 2.
TEST(CliCommit, OutputsThatCannotBeWrittenStopTheRunBeforeAnyWork) {
  TempDir dir;
  const std::string scenario = dir.File("out.kst");
  WriteFile(scenario, "old");
  const std::string missingFolder = dir.File("nodir/r.md");
  for (const auto& [options, message] : std::vector<std::pair<std::string, std::string>>{
           {"--report " + Quoted(missingFolder), "Could not open " + missingFolder + " for output"},
           {"--report-json " + Quoted(missingFolder), "Could not open " + missingFolder + " for output"},
           {"--report ''", "An empty file name was given for a report; name a file, or - for standard output."},
           {"--report-json ''", "An empty file name was given for a report; name a file, or - for standard output."},
           {"--report - --report-json -", "Only one report can go to standard output."}}) {
    SCOPED_TRACE(options);
    const CliResult run = RunCommand(ConvertLine(scenario, options));
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.output, message + "\n");
    EXPECT_EQ(ReadFile(scenario), "old");
    EXPECT_EQ(Names(dir.path()), std::vector<std::string>{"out.kst"});
  }
  const CliResult toStandardOutput = RunCommand(ConvertLine("-", ""));
  EXPECT_EQ(toStandardOutput.exitCode, 2);
  EXPECT_EQ(toStandardOutput.output, "The scenario is written to a file, not to standard output; name a file.\n");
}

// A report that standard output does not take whole fails the run, and the scenario stays as it was.
TEST(CliCommit, AReportThatStandardOutputRefusesFailsTheRun) {
  TempDir dir;
  const std::string scenario = dir.File("out.kst");
  WriteFile(scenario, "old");
  const std::string errors = dir.File("errors"), status = dir.File("status");
  // The program's exit code in status, what it says in errors.
  for (const std::string& command :
       {ConvertLine(scenario, "--report -") + " 2> " + Quoted(errors) + " > /dev/full; echo $? > " + Quoted(status),
        "(" + ConvertLine(scenario, "--report -") + " 2> " + Quoted(errors) + "; echo $? > " + Quoted(status) +
            ") | true"}) {
    SCOPED_TRACE(command);
    RunCommand(command);
    EXPECT_EQ(ReadFile(status), "1\n");
    const std::string said = ReadFile(errors);
    EXPECT_NE(said.find("Could not write the report to standard output: "), std::string::npos) << said;
    EXPECT_EQ(said.find("File saved successfully!"), std::string::npos) << said;
    EXPECT_EQ(ReadFile(scenario), "old");
  }
}

// A disk too small for the outputs keeps every old file and leaves no temporary.
TEST(CliCommit, AFullDiskKeepsEveryOldFile) {
  TempDir dir;
  const fs::path disk = dir.path() / "disk";
  fs::create_directories(disk);
  if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=48k") != 0) GTEST_SKIP() << "cannot mount a tmpfs here";
  const std::string scenario = (disk / "out.kst").string(), report = (disk / "r.md").string();
  WriteFile(scenario, "old scenario");
  WriteFile(report, "old report");
  const CliResult run = RunCommand(ConvertLine(scenario, "--report " + Quoted(report)));
  EXPECT_EQ(ReadFile(scenario), "old scenario");
  EXPECT_EQ(ReadFile(report), "old report");
  EXPECT_EQ(Names(disk), (std::vector<std::string>{"out.kst", "r.md"}));
  umount(disk.c_str());
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.output.find("Could not write "), std::string::npos) << run.output;
  EXPECT_EQ(run.output.find("File saved successfully!"), std::string::npos) << run.output;
}

// A scenario that cannot take its place after the report did is named, with exit code 3.
TEST(CliCommit, ARunThatReplacedOnlySomeFilesSaysWhich) {
  TempDir dir;
  const std::string scenario = dir.File("out.kst"), report = dir.File("r.md");
  const std::string line = Quoted(QUILLMERE_CLI) + " convert " + Quoted(kSource + "/examples/world.kst") + " " +
                           Quoted(scenario) + " --data " + Quoted(kSource + "/Data") + " --assign " +
                           Quoted(kSource + "/examples/world-plan.txt") + " --report " + Quoted(report);
  std::FILE* pipe = popen(("{ " + line + "; echo \"exit $?\"; } 2>&1").c_str(), "r");
  // Once the outputs are open, a folder takes the scenario's name: it can no longer be replaced.
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (Names(dir.path()).size() < 2 && std::chrono::steady_clock::now() < giveUp)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  fs::create_directories(dir.File("out.kst/keep"));
  std::string output;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
  pclose(pipe);
  EXPECT_NE(output.find("Could not write " + scenario + "\nOnly some files were written: " + report +
                        "; not written: " + scenario + ".\nexit 3\n"),
            std::string::npos)
      << output;
  EXPECT_TRUE(fs::is_directory(dir.File("out.kst/keep")));
  EXPECT_EQ(Names(dir.path()), (std::vector<std::string>{"out.kst", "r.md"}));
}

}  // namespace

#endif  // _WIN32
