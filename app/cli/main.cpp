// quillmere: the command-line front end.
//
//   quillmere check FILE                        load FILE and print the reader's status lines
//   quillmere format IN OUT                     load IN and write it again in the writer's layout
//   quillmere convert SAVE SCENARIO [--data DIR] [--game-dir DIR] [--assign PLAN] [--assign-rest TAG]
//                     [--report FILE] [--report-json FILE]
//                                               convert a save game into a scenario; the
//                                               assignment options place the provinces left
//                                               without an owner
//   quillmere provinces [--data DIR] [--output FILE]   the province table in use
//   quillmere check-data [--data DIR]            the findings of the reference data
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
#include "app/core/data_findings.h"
#include "app/core/program_info.h"
#include "app/core/reference_startup.h"
#include "app/core/run_messages.h"
#include "app/files/data_folder_files.h"
#include "app/files/output_collision.h"
#include "app/files/province_names_file.h"
#include "app/files/replacing_files.h"
#include "app/files/script_file_io.h"
#include "app/files/data_folder.h"
#include "refdata/reference_data.h"
#include "script/script_file.h"

namespace {

int Check(const std::string& path) {
  ConsoleLog log;
  ScriptFile file;
  return LoadScriptFile(file, path, path, log) == ScriptFile::LoadResult::kLoaded ? 0 : 1;
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
  if (LoadScriptFile(file, in, in, log) == ScriptFile::LoadResult::kUnreadable) return 1;
  return SaveScriptFile(file, out, kGeneratorText, log) ? 0 : 1;
}

std::string ExecutablePath(const char* argv0) {
  std::error_code ec;
#ifndef __EMSCRIPTEN__  // under Node, /proc/self/exe is Node itself
  std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) return self.string();
#endif
  return std::filesystem::absolute(argv0, ec).string();
}

// What a conversion is asked to do: its files and choices.
struct ConvertCall {
  std::string save;
  std::string scenario;
  std::string dataFolder;
  AssignChoices choices;
  std::optional<std::string> gameDir;
  ReportRequest reports;
  bool markdownGiven = false;  // --report was given, if with an empty name
  bool jsonGiven = false;
};

// Every file a conversion reads.
std::vector<RunFile> Inputs(const ConvertCall& call) {
  std::vector<RunFile> inputs{{"save game", call.save}};
  for (const char* file : {"Countries.txt", "Bases.txt", "Data.txt", "Provinces.txt"})
    inputs.push_back({"data file", DataFilePath(call.dataFolder, file)});
  if (call.choices.planPath) inputs.push_back({"plan", *call.choices.planPath});
  if (call.gameDir) inputs.push_back({"province names file", NamesFilePath(*call.gameDir)});
  return inputs;
}

// Why the outputs of a conversion must not be written, told before any work;
// nothing when they may.
std::optional<std::string> ConvertRefusal(const ConvertCall& call) {
  if (call.scenario == "-") return "The scenario is written to a file, not to standard output; name a file.";
  if (call.scenario.empty()) return "An empty file name was given for the scenario; name a file.";
  if ((call.markdownGiven && call.reports.markdownPath.empty()) || (call.jsonGiven && call.reports.jsonPath.empty()))
    return "An empty file name was given for a report; name a file, or - for standard output.";
  if (call.reports.markdownPath == "-" && call.reports.jsonPath == "-")
    return "Only one report can go to standard output.";
  std::vector<RunFile> outputs{{"scenario", call.scenario}};
  for (const RunFile& report :
       {RunFile{"Markdown report", call.reports.markdownPath}, RunFile{"JSON report", call.reports.jsonPath}})
    if (!report.path.empty() && report.path != "-") outputs.push_back(report);
  return OutputCollision(outputs, Inputs(call));
}

// The exit code of a conversion by how it ended (see the footer of --help).
int ExitCode(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kSaved:
      return 0;
    case RunOutcome::kPartlySaved:
      return 3;
    case RunOutcome::kCancelled:
    case RunOutcome::kFailed:
      break;
  }
  return 1;
}

int Convert(ConvertCall call) {
  if (const std::optional<std::string> refusal = ConvertRefusal(call)) {
    std::fprintf(stderr, "%s\n", refusal->c_str());
    return 2;
  }
  ReferenceData data;
  call.reports.data = &data;
  call.reports.dataFolder = call.dataFolder;
  CliPlatform platform(call.save, call.scenario, std::move(call.reports));
  if (!platform.OpenOutputs()) return 2;
  // A question needs someone to read it as well as someone to answer it.
  CliAssigner assigner(call.choices, data.provinceNames, IsTerminal(stdin) && IsTerminal(stderr));
  platform.SetAssigner(assigner);
  const std::optional<ReferencePart> failed =
      LoadReferenceData(data, platform.Log(), ReadDataFolder(call.dataFolder, call.gameDir));
  if (failed) {
    platform.ShowMessage(StartupFailureMessage(data, *failed));
    return 1;
  }
  platform.Log().AddLine("Global data loaded!");
  return ExitCode(RunConversion(data, platform));
}

// The province table in use, as a table file holds it: to standard output, or
// into the file given (replaced safely, so that it may be the very
// Provinces.txt the table is read from).
int Provinces(const std::string& dataFolder, const std::optional<std::string>& output) {
  ConsoleLog messages(stderr);
  ReplacingFiles outputs;
  ReplacingFile* file = nullptr;
  std::string error;
  if (output && output->empty()) error = "An empty file name was given for the table; name a file.";
  if (output && (!error.empty() || !(file = outputs.Open(*output, messages, &error)))) {
    messages.AddLine(error);
    return 2;
  }
  LineCollector loading;
  ReferenceData data;
  if (!data.LoadTable(loading, ReadTableFile(dataFolder))) {
    for (const DataFinding& finding : data.provinceFindings) messages.AddLine(FindingLine(finding));
    return 1;
  }
  const std::string text = data.provinces.Text();
  if (file) {
    file->Write(text);
    return outputs.Commit(messages) ? 0 : 1;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  return FlushStandardOutput("the table") ? 0 : 1;
}

// Every finding of the reference data, one line each; 1 when one is an error.
int CheckData(const std::string& dataFolder) {
  const std::vector<DataFinding> findings = DataFindings(ReadDataFolder(dataFolder));
  bool error = false;
  for (const DataFinding& finding : findings) {
    std::printf("%s\n", FindingLine(finding).c_str());
    error |= finding.error;
  }
  return error || !FlushStandardOutput("the findings") ? 1 : 0;
}

// A closed standard output (a pager or head that has quit) must not end a
// conversion before its save: writes to it fail instead, and the writes that
// matter are checked. Interrupting signals remove the half-written outputs
// before they end the program.
void PrepareSignals() {
#ifdef SIGPIPE
  std::signal(SIGPIPE, SIG_IGN);
#endif
  ReplacingFile::RemoveTemporariesOnSignals();
}

int Run(int argc, char** argv) {
  CLI::App app{"Quillmere: converts Saltmarch save games into Brackenfold scenarios."};
  app.require_subcommand(1);
  // Options are written --name everywhere: on Windows too, a word starting
  // with / is a path (from the root of the current drive), not an option.
  app.allow_windows_style_options(false);
  app.set_version_flag("--version", std::string("quillmere ") + kVersion,
                       "Print the program's name and version and exit");
  app.footer(
      "Exit status: 0 when the command did its work; 1 when it failed and replaced no file "
      "(check: also when the reader reported an error line); 2 for a wrong call, or an output "
      "refused before any work, nothing written (one that would replace an input or another "
      "output, a folder, a device, a read-only file, a folder that cannot be written into); 3 "
      "when convert replaced some of its files but could not replace the others (a line names "
      "them).");

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
  std::string tableOutput;
  CLI::Option* tableFile = provinces->add_option(
      "--output", tableOutput,
      "write the table to this file instead, replacing it safely (it may be the Provinces.txt read)");
  CLI::App* checkData = app.add_subcommand(
      "check-data",
      "Check the reference data and print what a modder should know, one line each: "
      "FILE:LINE: error: ... for what would stop the program or break a scenario (exit 1), "
      "FILE:LINE: warning: ... for what is worth a look (exit 0)");
  checkData->add_option("--data", dataOption, dataHelp);
  CLI::App* convert = app.add_subcommand("convert", "Convert a Saltmarch save game into a Brackenfold scenario");
  convert->add_option("SAVE", savePath, "the save game to convert")->required();
  convert->add_option("SCENARIO", scenarioPath,
                      "the scenario file to write (always a file: - is refused, not standard output)")
      ->required();
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
  ConvertCall call;
  CLI::Option* markdown = convert->add_option(
      "--report", call.reports.markdownPath,
      "write a report of the run in Markdown to this file (- for standard output; the status lines "
      "then go to standard error); it takes its place together with the scenario, just before it");
  CLI::Option* json = convert->add_option(
      "--report-json", call.reports.jsonPath,
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
  if (provinces->parsed())
    return Provinces(dataFolder(), *tableFile ? std::optional<std::string>(tableOutput) : std::nullopt);
  if (checkData->parsed()) return CheckData(dataFolder());
  if (format->parsed()) return Format(formatIn, formatOut);
  if (convert->parsed()) {
    call.save = savePath;
    call.scenario = scenarioPath;
    call.dataFolder = dataFolder();
    if (*plan) call.choices.planPath = planOption;
    if (*rest) call.choices.restTag = restOption;
    if (*gameDir) call.gameDir = gameDirOption;
    call.markdownGiven = markdown->count() > 0;
    call.jsonGiven = json->count() > 0;
    return Convert(std::move(call));
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
