// quillmere_bench_script: how fast the script reader and writer handle a save
// game of realistic size, in process and as the command-line program.
//
//   quillmere_bench_script [--mb 40] [--line-ends lf|crlf|both] [--repeat 5]
//                          [--file SAVE] [--dir DIR] [--keep]
//
// For each file (a generated source save unless --file is given) it reports, one figure a
// line: the whole-process "quillmere check" and "quillmere format" runs (speed
// on the wall clock end to end, speed on the processor time they used, and peak
// memory as a multiple of the file size), then in process ScriptFile::Load and
// ScriptFile::Save speeds and FindAll over the whole tree, and compares the
// process figures with the targets. MB means 1,000,000 bytes. Times are the
// best of the repeated runs, with the median beside them. The machine's load
// average is printed first and last: the wall times mean little when it is
// above the number of cores.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/program_info.h"
#include "bench/machine_load.h"
#include "bench/process_figures.h"
#include "bench/run_times.h"
#include "bench/save_generator.h"
#include "app/files/script_file_io.h"
#include "script/script_file.h"

namespace {

namespace fs = std::filesystem;

constexpr double kBytesPerMB = 1e6;
constexpr double kCheckTarget = 100.0;  // MB/s
constexpr double kFormatTarget = 80.0;  // MB/s
constexpr double kPeakTarget = 3.0;     // times the file size
constexpr double kStretchFactor = 2.0;  // what we aim for beyond the targets
constexpr const char* kSearchedKeys[] = {"id", "size"};

struct Settings {
  double megabytes = 40.0;
  std::string lineEnds = "both";
  int repeat = 5;
  std::string file;
  std::string dir = (fs::temp_directory_path() / "quillmere-bench").string();
  bool keep = false;
};

double MegabytesPerSecond(uint64_t bytes, double seconds) {
  return static_cast<double>(bytes) / kBytesPerMB / seconds;
}

void ReportTimes(const std::string& label, const RunTimes& times, uint64_t bytes,
                 const char* note) {
  std::printf("%-16s %8.1f MB/s   best %.3f s  median %.3f s%s\n", label.c_str(),
              MegabytesPerSecond(bytes, times.Best()), times.Best(), times.Median(), note);
}

void ReportProcess(const std::string& what, const ProcessFigures& figures, uint64_t fileBytes) {
  ReportTimes(what + " wall", figures.times, fileBytes, "  (end to end)");
  ReportTimes(what + " cpu", figures.cpuTimes, fileBytes, "  (user + system time)");
  std::printf("%-16s %8.1f MB = %.2f x file%s\n", (what + " peak").c_str(),
              static_cast<double>(figures.peakRssBytes) / kBytesPerMB,
              static_cast<double>(figures.peakRssBytes) / static_cast<double>(fileBytes),
              figures.allSucceeded ? "" : "  (a run FAILED)");
}

void ReportSpeedTarget(const char* what, double measured, double target) {
  const char* verdict = measured >= target * kStretchFactor ? "PASS, also twice the target"
                        : measured >= target                ? "PASS"
                                                            : "FAIL";
  std::printf("target %-9s %8.1f MB/s   at least %.0f MB/s: %s\n", what, measured, target, verdict);
}

void ReportPeakTarget(double multiple) {
  std::printf("target %-9s %8.2f x file  at most %.0f x: %s\n", "peak RSS", multiple, kPeakTarget,
              multiple <= kPeakTarget ? "PASS" : "FAIL");
}

void ReportInProcess(const std::string& what, const InProcessTimes& times, uint64_t bytes,
                     const char* note) {
  ReportTimes(what + " wall", times.wall, bytes, note);
  ReportTimes(what + " cpu", times.cpu, bytes, note);
}

// Loads the file repeatedly; file keeps the last tree. False on load errors.
bool MeasureLoad(const std::string& path, uint64_t bytes, int repeat, ScriptFile& file) {
  InProcessTimes times;
  LineCollector log;
  for (int i = 0; i < repeat; ++i) {
    file.FreeTree();
    log.Clear();
    times.Add(TimeOf([&] { LoadScriptFile(file, path, path, log); }));
  }
  ReportInProcess("load", times, bytes, "");
  std::printf("%-16s %8u\n", "load errors", file.errorCount);
  return file.errorCount == 0;
}

void MeasureFindAll(const ScriptFile& file, int repeat) {
  for (const char* key : kSearchedKeys) {
    RunTimes times;
    std::vector<ScriptMatch> matches;
    for (int i = 0; i < repeat; ++i) {
      matches.clear();
      times.Add(TimeOf([&] { file.root().FindAll(key, &matches, ScriptNode::kUnlimited); }).wall);
    }
    std::printf("%-16s %8.4f s best  median %.4f s  %zu matches\n",
                ("findall " + std::string(key)).c_str(), times.Best(), times.Median(),
                matches.size());
  }
}

bool MeasureSave(const ScriptFile& file, const std::string& outPath, int repeat) {
  InProcessTimes times;
  LineCollector log;
  bool saved = true;
  for (int i = 0; i < repeat; ++i)
    times.Add(TimeOf([&] { saved &= SaveScriptFile(file, outPath, kGeneratorText, log); }));
  const uint64_t written = saved ? fs::file_size(outPath) : 0;
  ReportInProcess("save", times, written, "  (of the bytes written)");
  std::printf("%-16s %8.1f MB\n", "save written", static_cast<double>(written) / kBytesPerMB);
  return saved;
}

// One file under measurement, with its process figures once they are taken.
struct MeasuredFile {
  std::string path;
  std::string outPath;  // where "format" and Save write
  ProcessFigures check;
  ProcessFigures format;
};

void MeasureProcesses(MeasuredFile& file, int repeat) {
  file.check = MeasureProcess({QUILLMERE_CLI, "check", file.path}, repeat);
  file.format = MeasureProcess({QUILLMERE_CLI, "format", file.path, file.outPath}, repeat);
}

// Reports every figure of one file, measuring the in-process ones now. False
// when a run failed or the file had syntax errors.
bool ReportFile(const MeasuredFile& measured, int repeat) {
  const uint64_t bytes = fs::file_size(measured.path);
  std::printf("%-16s %s  %.1f MB (%ju bytes)\n", "file", measured.path.c_str(),
              static_cast<double>(bytes) / kBytesPerMB, static_cast<uintmax_t>(bytes));
  ReportProcess("check", measured.check, bytes);
  ReportProcess("format", measured.format, bytes);

  ScriptFile file;
  bool ok = measured.check.allSucceeded && measured.format.allSucceeded;
  ok &= MeasureLoad(measured.path, bytes, repeat, file);
  MeasureFindAll(file, repeat);
  ok &= MeasureSave(file, measured.outPath, repeat);
  fs::remove(measured.outPath);

  ReportSpeedTarget("check", MegabytesPerSecond(bytes, measured.check.times.Best()), kCheckTarget);
  ReportSpeedTarget("format", MegabytesPerSecond(bytes, measured.format.times.Best()),
                    kFormatTarget);
  ReportPeakTarget(
      static_cast<double>(std::max(measured.check.peakRssBytes, measured.format.peakRssBytes)) /
      static_cast<double>(bytes));
  std::printf("\n");
  return ok;
}

std::string GeneratedFile(const Settings& settings, LineEnd lineEnd) {
  char name[64];
  std::snprintf(name, sizeof name, "save-%gmb-%s.kst", settings.megabytes,
                lineEnd == LineEnd::kCrLf ? "crlf" : "lf");
  const fs::path path = fs::path(settings.dir) / name;
  SaveOptions options;
  options.bytes = static_cast<uint64_t>(settings.megabytes * kBytesPerMB);
  options.lineEnd = lineEnd;
  if (!WriteSave(path.string(), options)) return {};
  return path.string();
}

std::vector<LineEnd> ChosenLineEnds(const std::string& choice) {
  if (choice == "lf") return {LineEnd::kLf};
  if (choice == "crlf") return {LineEnd::kCrLf};
  return {LineEnd::kLf, LineEnd::kCrLf};
}

// The given file, or freshly generated ones; empty when one cannot be written.
std::vector<MeasuredFile> FilesToMeasure(const Settings& settings) {
  std::vector<std::string> paths;
  if (!settings.file.empty()) paths.push_back(settings.file);
  for (LineEnd lineEnd :
       settings.file.empty() ? ChosenLineEnds(settings.lineEnds) : std::vector<LineEnd>{}) {
    paths.push_back(GeneratedFile(settings, lineEnd));
    if (paths.back().empty()) return {};
  }
  std::vector<MeasuredFile> files;
  for (const std::string& path : paths) {
    const fs::path out =
        fs::path(settings.dir) / (fs::path(path).filename().string() + ".formatted");
    files.push_back({path, out.string(), {}, {}});
  }
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  CLI::App app{"Measures the script reader and writer on a save game of realistic size."};
  app.add_option("--mb", settings.megabytes, "size of the generated file in millions of bytes")
      ->check(CLI::PositiveNumber);
  app.add_option("--line-ends", settings.lineEnds, "line ends of the generated files")
      ->check(CLI::IsMember({"lf", "crlf", "both"}));
  app.add_option("--repeat", settings.repeat, "runs of each measurement")
      ->check(CLI::PositiveNumber);
  app.add_option("--file", settings.file, "measure this file instead of generated ones")
      ->check(CLI::ExistingFile);
  app.add_option("--dir", settings.dir, "where generated files are written");
  app.add_flag("--keep", settings.keep, "keep the generated files");
  CLI11_PARSE(app, argc, argv);

  std::printf("quillmere: %s\n", QUILLMERE_CLI);
  ReportMachineLoad("load at start");
  std::printf("\n");
  fs::create_directories(settings.dir);
  std::vector<MeasuredFile> files = FilesToMeasure(settings);
  if (files.empty()) {
    std::fprintf(stderr, "Could not write the generated files in %s\n", settings.dir.c_str());
    return 1;
  }
  // Every process run comes before any file is loaded here, so that this
  // process is small while the children's memory is measured.
  for (MeasuredFile& file : files) MeasureProcesses(file, settings.repeat);

  bool ok = true;
  for (const MeasuredFile& file : files) ok &= ReportFile(file, settings.repeat);
  ReportMachineLoad("load at end");
  if (settings.file.empty() && !settings.keep)
    for (const MeasuredFile& file : files) fs::remove(file.path);
  return ok ? 0 : 1;
}
