// quillmere: the command-line front end.
//
//   quillmere check FILE                        load FILE and print the reader's status lines
//   quillmere format IN OUT                     load IN and write it again in the writer's layout
//   quillmere convert SAVE SCENARIO [--data DIR] [--game-dir DIR] [--assign PLAN] [--assign-rest TAG]
//                                               convert a save game into a scenario; the last
//                                               three place the provinces left without an owner
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <exception>
#include <new>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "app/cli/cli_assigner.h"
#include "app/cli/cli_platform.h"
#include "app/cli/console_log.h"
#include "app/core/program_info.h"
#include "app/core/reference_startup.h"
#include "app/core/run_messages.h"
#include "convert/reference_check.h"
#include "refdata/data_folder.h"
#include "refdata/game_folder.h"
#include "refdata/reference_data.h"
#include "script/replacing_file.h"
#include "script/script_file.h"

namespace {

int Check(const std::string& path) {
  ConsoleLog log;
  ScriptFile file;
  return file.Load(path, path, log) == ScriptFile::LoadResult::kLoaded ? 0 : 1;
}

// Refuses, before any work, an output that no new file may take the place of.
bool OutputRefused(const std::string& path) {
  const std::optional<std::string> problem = ReplacingFile::Problem(path);
  if (problem) std::fprintf(stderr, "%s\n", problem->c_str());
  return problem.has_value();
}

int Format(const std::string& in, const std::string& out) {
  if (OutputRefused(out)) return 2;
  ConsoleLog log;
  ScriptFile file;
  if (file.Load(in, in, log) == ScriptFile::LoadResult::kUnreadable) return 1;
  return file.Save(out, kGeneratorText, log) ? 0 : 1;
}

std::string ExecutablePath(const char* argv0) {
  std::error_code ec;
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.string();
  return std::filesystem::absolute(argv0, ec).string();
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec);
}

// Refuses report files that would replace the save, the scenario or each
// other, or that no file may replace; only one report may go to standard output.
bool ReportsRefused(const ReportRequest& reports, const std::string& save, const std::string& scenario) {
  if (reports.markdownPath == "-" && reports.jsonPath == "-") {
    std::fprintf(stderr, "Only one report can go to standard output.\n");
    return true;
  }
  for (const std::string& path : {reports.markdownPath, reports.jsonPath}) {
    if (path.empty() || path == "-") continue;
    if (SameFile(path, save) || SameFile(path, scenario) || path == scenario ||
        (reports.markdownPath == reports.jsonPath)) {
      std::fprintf(stderr, "The report %s would overwrite another file of this run; choose another file.\n",
                   path.c_str());
      return true;
    }
    if (OutputRefused(path)) return true;
  }
  return false;
}

int Convert(const std::string& save, const std::string& scenario, const std::string& dataFolder,
            const AssignChoices& choices, const std::optional<std::string>& gameDir, ReportRequest reports) {
  if (SameFile(save, scenario)) {
    std::fprintf(stderr, "The scenario would overwrite the save game %s; choose another file.\n",
                 save.c_str());
    return 2;
  }
  if (OutputRefused(scenario) || ReportsRefused(reports, save, scenario)) return 2;
  ReferenceData data;
  reports.data = &data;
  reports.dataFolder = dataFolder;
  CliPlatform platform(save, scenario, std::move(reports));
  const FixedGameFolder gameFolder(gameDir);
  CliAssigner assigner(choices, gameFolder, IsTerminal(stdin));
  platform.SetAssigner(&assigner);
  if (const std::optional<ReferencePart> failed = LoadReferenceData(data, platform.Log(), dataFolder)) {
    platform.ShowMessage(StartupFailureMessage(data, *failed));
    return 1;
  }
  platform.Log().AddLine("Global data loaded!");
  return RunConversion(data, platform) == RunOutcome::kSaved && platform.reportsWritten() ? 0 : 1;
}

// The province table in use, as a table file holds it.
int Provinces(const std::string& dataFolder) {
  LineCollector loading;
  ReferenceData data;
  if (!data.LoadTable(loading, dataFolder)) {
    for (const DataFinding& finding : data.provinceFindings)
      std::fprintf(stderr, "%s\n", FindingLine(finding).c_str());
    return 1;
  }
  const std::string text = data.provinces.Text();
  std::fwrite(text.data(), 1, text.size(), stdout);
  return 0;
}

// Every finding of the reference data, one line each; 1 when one is an error.
int CheckData(const std::string& dataFolder) {
  LineCollector loading;
  ReferenceData data;
  std::vector<DataFinding> findings;
  for (ReferencePart part : data.LoadEach(loading, dataFolder))
    if (part != ReferencePart::kProvinces) findings.push_back({true, data.PathOf(part), 0, "the file cannot be read"});
  for (DataFinding& finding : CheckReferenceData(data)) findings.push_back(std::move(finding));
  bool error = false;
  for (const DataFinding& finding : findings) {
    std::printf("%s\n", FindingLine(finding).c_str());
    error |= finding.error;
  }
  return error ? 1 : 0;
}

// A closed standard output (a pager or head that has quit) must not end a
// conversion before its save: writes to it fail quietly instead. Interrupting
// signals remove the half-written output before they end the program.
void PrepareSignals() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  ReplacingFile::RemoveTemporariesOnSignals();
}

int Run(int argc, char** argv) {
  CLI::App app{"Quillmere: converts Saltmarch save games into Brackenfold scenarios."};
  app.require_subcommand(1);
  app.set_version_flag("--version", std::string("quillmere ") + kVersion,
                       "Print the program's name and version and exit");
  app.footer(
      "Exit status: 0 when the command did its work; 1 when it failed (check: also when the "
      "reader reported an error line); 2 for a wrong call, or an output that must not be "
      "replaced (the input itself, a folder, a device, a read-only file).");

  std::string checkPath;
  CLI::App* check = app.add_subcommand(
      "check",
      "Load a script file and report what the reader finds; exits with 1 when the file cannot be "
      "read or the reader reported any error line");
  check->add_option("FILE", checkPath, "the file to load")->required();

  std::string formatIn, formatOut;
  CLI::App* format = app.add_subcommand("format", "Load a script file and write it out again");
  format->add_option("IN", formatIn, "the file to load")->required();
  format->add_option("OUT", formatOut, "the file to write")->required();

  std::string savePath, scenarioPath, dataOption;
  const char* const dataHelp =
      "the folder holding Countries.txt, Bases.txt, Data.txt and, when there is one, Provinces.txt "
      "(default: Data in the working directory, else beside the program)";
  CLI::App* provinces = app.add_subcommand(
      "provinces",
      "Print the province table in use: each source province id, a tab, and its target ids. "
      "Saved as Provinces.txt in the data folder, an edited copy replaces the built-in table");
  provinces->add_option("--data", dataOption, dataHelp);
  CLI::App* checkData = app.add_subcommand(
      "check-data",
      "Check the reference data and print what a modder should know, one line each: "
      "FILE:LINE: error: ... for what would stop the program or break a scenario (exit 1), "
      "FILE:LINE: warning: ... for what is worth a look (exit 0)");
  checkData->add_option("--data", dataOption, dataHelp);
  CLI::App* convert = app.add_subcommand("convert", "Convert a Saltmarch save game into a Brackenfold scenario");
  convert->add_option("SAVE", savePath, "the save game to convert")->required();
  convert->add_option("SCENARIO", scenarioPath, "the scenario file to write")->required();
  convert->add_option("--data", dataOption, dataHelp);
  std::string gameDirOption, planOption, restOption;
  CLI::Option* gameDir =
      convert->add_option("--game-dir", gameDirOption,
                          "the Brackenfold installation folder, whose Config/province_names.csv "
                          "names the provinces left without an owner")
          ->check(CLI::ExistingDirectory);
  CLI::Option* plan =
      convert->add_option("--assign", planOption,
                          "a plan placing the provinces left without an owner, one entry per "
                          "country: ENG = { 550 551 }")
          ->check(CLI::ExistingFile);
  CLI::Option* rest = convert->add_option(
      "--assign-rest", restOption,
      "give every province still without an owner (after the plan) to this country");
  ReportRequest reports;
  convert->add_option("--report", reports.markdownPath,
                      "after the scenario is saved, write a report of the run in Markdown to this file "
                      "(- for standard output; the status lines then go to standard error)");
  convert->add_option("--report-json", reports.jsonPath,
                      "the same report as JSON, with one record per scenario province (- as for --report)");

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& e) {  // --help or --version
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    CLI::App* failed = &app;
    for (CLI::App* sub : app.get_subcommands()) failed = sub;
    std::fprintf(stderr, "%s\n\n%s", e.what(), failed->help().c_str());
    return 2;
  }

  const auto dataFolder = [&] { return FindDataFolder(dataOption, ExecutablePath(argv[0])); };
  if (check->parsed()) return Check(checkPath);
  if (provinces->parsed()) return Provinces(dataFolder());
  if (checkData->parsed()) return CheckData(dataFolder());
  if (format->parsed()) return Format(formatIn, formatOut);
  if (convert->parsed()) {
    AssignChoices choices;
    if (*plan) choices.planPath = planOption;
    if (*rest) choices.restTag = restOption;
    return Convert(savePath, scenarioPath, dataFolder(), choices,
                   *gameDir ? std::optional<std::string>(gameDirOption) : std::nullopt, std::move(reports));
  }
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  PrepareSignals();
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "Not enough memory: the file is too large for this machine.\n");
  } catch (const std::exception& e) {
    std::fprintf(stderr, "Error: %s\n", e.what());
  }
  return 1;
}
