// quillmere_bench_convert: how long the conversion of a save game of realistic
// size takes, step by step in process and as the command-line program.
//
//   quillmere_bench_convert [--mb 40] [--repeat 5] [--data DIR] [--dir DIR] [--keep]
//
// It generates a full source save of MB millions of bytes and the same save
// without its land and naval units (save_generator.h), loads the reference
// data once from DIR, and reports, one figure a line:
//   - in process, for each of the two saves: LoadScriptFile of the save, the
//     conversion alone (Prepare and Finish) and SaveScriptFile of the
//     scenario, each on the wall clock and in processor time, and the blocks
//     of the save and of the scenario; then the share of the conversion that
//     the forces take;
//   - "quillmere convert SAVE OUT --data DIR --assign-rest TAG" on the full
//     save as a child process: wall time, processor time, peak memory, and
//     whether it wrote the same scenario as the in-process run;
//   - the targets: the conversion alone faster than the load, and the whole
//     program under 1 s (aiming at 0.5 s).
// The provinces that the conversion leaves without an owner all go to the
// first country offered, in process as in the program (TAG is that country).
// Times are the best of the repeated runs, with the median beside them. The
// machine's load average is printed first and last.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/core/program_info.h"
#include "app/files/data_folder_files.h"
#include "app/files/script_file_io.h"
#include "bench/child_run.h"
#include "bench/first_country_assigner.h"
#include "bench/machine_load.h"
#include "bench/process_figures.h"
#include "bench/run_times.h"
#include "bench/save_generator.h"
#include "convert/scenario_converter.h"
#include "refdata/reference_data.h"

namespace {

namespace fs = std::filesystem;

constexpr double kBytesPerMB = 1e6;
constexpr double kWholeTarget = 1.0;  // seconds for the whole program
constexpr double kWholeAim = 0.5;

struct Settings {
  double megabytes = 40.0;
  int repeat = 5;
  std::string data = QUILLMERE_DATA_DIR;
  std::string dir = (fs::temp_directory_path() / "quillmere-bench").string();
  bool keep = false;
};

// The blocks that show how much a save or a scenario holds.
struct BlockCounts {
  int provinces = 0;
  int countries = 0;
  int landUnits = 0;
  int navalUnits = 0;
  int divisions = 0;  // regiments and ships in a save, divisions in a scenario
};

void CountUnit(const ScriptNode* unit, BlockCounts& counts) {
  for (int i = 0; i < unit->ItemCount(); ++i)
    if (unit->ChildAt(i)->name() == "division") ++counts.divisions;
}

BlockCounts CountBlocks(const ScriptNode& root) {
  BlockCounts counts;
  for (int i = 0; i < root.ItemCount(); ++i) {
    const ScriptNode* block = root.ChildAt(i);
    if (block->name() == "province") ++counts.provinces;
    if (block->name() != "country" || block->kind != kBlock) continue;
    ++counts.countries;
    for (int j = 0; j < block->ItemCount(); ++j) {
      const ScriptNode* unit = block->ChildAt(j);
      if (unit->kind != kBlock) continue;
      if (unit->name() == "landunit") ++counts.landUnits;
      if (unit->name() == "navalunit") ++counts.navalUnits;
      if (unit->name() == "landunit" || unit->name() == "navalunit") CountUnit(unit, counts);
    }
  }
  return counts;
}

void ReportCounts(const char* what, const BlockCounts& counts) {
  std::printf("%-16s %d provinces, %d countries, %d land units, %d naval units, %d divisions\n",
              what, counts.provinces, counts.countries, counts.landUnits, counts.navalUnits,
              counts.divisions);
}

// Prepare and Finish, the provinces left without an owner placed by assigner.
Conversion ConvertLoaded(ScriptFile save, const ReferenceData& data, ProvinceAssigner& assigner, StatusLog& log) {
  PreparedConversion prepared = Prepare(std::move(save), data, log);
  if (!prepared.pending) return {prepared.result, {}, {}};
  return Finish(*prepared.pending, assigner);
}

// Repeated conversions of one save in process, the reference data loaded once.
struct MeasuredConversion {
  InProcessTimes load;
  InProcessTimes convert;
  InProcessTimes save;
  BlockCounts source;
  BlockCounts scenario;
  std::string assignedTag;
  size_t assignedProvinces = 0;
  bool allSucceeded = true;
};

// Loads, converts and saves the save repeatedly; only the step itself is timed,
// never the release of the trees.
MeasuredConversion MeasureConversion(const ReferenceData& data, const std::string& savePath,
                             const std::string& outPath, int repeat) {
  MeasuredConversion conversion;
  for (int i = 0; i < repeat; ++i) {
    ScriptFile save;
    FirstCountryAssigner assigner;
    LineCollector log;
    bool loaded = false;
    Conversion converted{ConversionResult::kNotASave, {}, {}};
    bool saved = false;
    conversion.load.Add(TimeOf([&] {
      loaded = LoadScriptFile(save, savePath, savePath, log) != ScriptFile::LoadResult::kUnreadable;
    }));
    if (loaded) conversion.source = CountBlocks(save.root());
    conversion.convert.Add(TimeOf([&] { converted = ConvertLoaded(std::move(save), data, assigner, log); }));
    conversion.save.Add(TimeOf([&] { saved = SaveScriptFile(converted.scenario, outPath, kGeneratorText, log); }));
    conversion.allSucceeded &= loaded && converted.result == ConversionResult::kConverted && saved;
    conversion.scenario = CountBlocks(converted.scenario.root());
    conversion.assignedTag = assigner.tag();
    conversion.assignedProvinces = assigner.placed();
  }
  return conversion;
}

void ReportTimes(const std::string& label, const RunTimes& times, const char* note) {
  std::printf("%-24s best %.3f s  median %.3f s%s\n", label.c_str(), times.Best(), times.Median(),
              note);
}

void ReportStep(const std::string& step, const InProcessTimes& times, const char* note) {
  ReportTimes(step + " wall", times.wall, note);
  ReportTimes(step + " cpu", times.cpu, note);
}

void ReportConversion(const char* what, const MeasuredConversion& conversion, const std::string& outPath) {
  std::printf("in process, %s:\n", what);
  ReportStep("load", conversion.load, "");
  ReportStep("convert", conversion.convert, "  (the conversion alone)");
  ReportStep("save", conversion.save, "");
  std::printf("%-16s %8.1f MB\n", "scenario written",
              static_cast<double>(fs::file_size(outPath)) / kBytesPerMB);
  ReportCounts("save holds", conversion.source);
  ReportCounts("scenario holds", conversion.scenario);
  std::printf("%-16s %zu provinces given to %s%s\n\n", "missing", conversion.assignedProvinces,
              conversion.assignedTag.c_str(), conversion.allSucceeded ? "" : "  (a run FAILED)");
}

void ReportForcesShare(const MeasuredConversion& full, const MeasuredConversion& noForces) {
  const double with = full.convert.cpu.Best();
  const double without = noForces.convert.cpu.Best();
  std::printf("%-24s %.1f %% of the conversion (cpu, best: %.3f s with, %.3f s without)\n\n",
              "forces' share", (with - without) / with * 100.0, with, without);
}

void ReportProcess(const ProcessFigures& figures, uint64_t fileBytes, bool sameScenario) {
  std::printf("quillmere convert, whole program:\n");
  ReportTimes("convert wall", figures.times, "  (load, convert, save, end to end)");
  ReportTimes("convert cpu", figures.cpuTimes, "  (user + system time)");
  std::printf("%-24s %.1f MB = %.2f x file%s\n", "convert peak",
              static_cast<double>(figures.peakRssBytes) / kBytesPerMB,
              static_cast<double>(figures.peakRssBytes) / static_cast<double>(fileBytes),
              figures.allSucceeded ? "" : "  (a run FAILED)");
  std::printf("%-24s %s\n\n", "same scenario", sameScenario ? "yes, byte for byte" : "NO");
}

// What writing both reports (--report and --report-json) adds to the whole program.
void ReportReportCost(const ProcessFigures& plain, const ProcessFigures& reported) {
  ReportTimes("with reports wall", reported.times, "  (the same conversion writing both reports)");
  ReportTimes("with reports cpu", reported.cpuTimes, "");
  const double share = (reported.cpuTimes.Best() - plain.cpuTimes.Best()) / plain.cpuTimes.Best() * 100.0;
  std::printf("target reports  %+.1f %% of the conversion (cpu, best)  under 10 %%: %s%s\n\n", share,
              share < 10.0 ? "PASS" : "FAIL", reported.allSucceeded ? "" : "  (a run FAILED)");
}

void ReportTargets(const MeasuredConversion& full, const ProcessFigures& whole) {
  const double convert = full.convert.wall.Best();
  const double load = full.load.wall.Best();
  std::printf("target convert  %.3f s  below load %.3f s: %s\n", convert, load,
              convert < load ? "PASS" : "FAIL");
  const double seconds = whole.times.Best();
  const char* verdict = seconds < kWholeAim      ? "PASS, also under the aim of 0.5 s"
                        : seconds < kWholeTarget ? "PASS"
                                                 : "FAIL";
  std::printf("target whole    %.3f s  under %.0f s: %s\n\n", seconds, kWholeTarget, verdict);
}

bool SameBytes(const std::string& a, const std::string& b) {
  std::ifstream fa(a, std::ios::binary);
  std::ifstream fb(b, std::ios::binary);
  const std::string bytesA{std::istreambuf_iterator<char>(fa), std::istreambuf_iterator<char>()};
  const std::string bytesB{std::istreambuf_iterator<char>(fb), std::istreambuf_iterator<char>()};
  return fa && fb && bytesA == bytesB;
}

std::string GeneratedSave(const Settings& settings, bool forces) {
  char name[64];
  std::snprintf(name, sizeof name, "save-%gmb%s.kst", settings.megabytes, forces ? "" : "-no-forces");
  const fs::path path = fs::path(settings.dir) / name;
  SaveOptions options;
  options.bytes = static_cast<uint64_t>(settings.megabytes * kBytesPerMB);
  options.forces = forces;
  if (!WriteSave(path.string(), options)) return {};
  return path.string();
}

std::string Beside(const std::string& path, const char* suffix) { return path + suffix; }

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  CLI::App app{"Measures the conversion of a save game of realistic size."};
  app.add_option("--mb", settings.megabytes, "size of the generated save in millions of bytes")
      ->check(CLI::PositiveNumber);
  app.add_option("--repeat", settings.repeat, "runs of each measurement")
      ->check(CLI::PositiveNumber);
  app.add_option("--data", settings.data, "the Data folder of the reference files")
      ->check(CLI::ExistingDirectory);
  app.add_option("--dir", settings.dir, "where generated files are written");
  app.add_flag("--keep", settings.keep, "keep the generated files");
  CLI11_PARSE(app, argc, argv);

  std::printf("quillmere: %s\ndata: %s\n", QUILLMERE_CLI, settings.data.c_str());
  ReportMachineLoad("load at start");
  std::printf("\n");
  fs::create_directories(settings.dir);
  const std::string full = GeneratedSave(settings, true);
  const std::string noForces = GeneratedSave(settings, false);
  if (full.empty() || noForces.empty()) {
    std::fprintf(stderr, "Could not write the generated saves in %s\n", settings.dir.c_str());
    return 1;
  }
  const uint64_t bytes = fs::file_size(full);
  std::printf("%-16s %s  %.1f MB\n", "save", full.c_str(), static_cast<double>(bytes) / kBytesPerMB);
  std::printf("%-16s %s  %.1f MB\n\n", "without forces", noForces.c_str(),
              static_cast<double>(fs::file_size(noForces)) / kBytesPerMB);

  const std::string inProcessOut = Beside(full, ".scenario");
  const std::string programOut = Beside(full, ".program-scenario");
  const std::string reportOut = Beside(full, ".report");
  const std::string noForcesOut = Beside(noForces, ".scenario");
  MeasuredConversion fullConversion;
  MeasuredConversion noForcesConversion;
  {
    ReferenceData data;
    LineCollector log;
    if (data.Load(log, ReadDataFolder(settings.data))) {
      std::fprintf(stderr, "Could not load the reference data from %s\n", settings.data.c_str());
      return 1;
    }
    fullConversion = MeasureConversion(data, full, inProcessOut, settings.repeat);
    noForcesConversion = MeasureConversion(data, noForces, noForcesOut, settings.repeat);
  }
  ReportConversion("the save", fullConversion, inProcessOut);
  ReportConversion("the save without forces", noForcesConversion, noForcesOut);
  ReportForcesShare(fullConversion, noForcesConversion);

  ReleaseFreedMemory();
  std::printf("%-24s %.1f MB  (before the program runs; counted in its peak)\n", "bench memory",
              static_cast<double>(ResidentBytes()) / kBytesPerMB);
  const ProcessFigures whole =
      MeasureProcess({QUILLMERE_CLI, "convert", full, programOut, "--data", settings.data,
                      "--assign-rest", fullConversion.assignedTag},
                     settings.repeat);
  ReportProcess(whole, bytes, SameBytes(inProcessOut, programOut));
  const ProcessFigures reported =
      MeasureProcess({QUILLMERE_CLI, "convert", full, programOut, "--data", settings.data, "--assign-rest",
                      fullConversion.assignedTag, "--report", reportOut + ".md", "--report-json", reportOut + ".json"},
                     settings.repeat);
  ReportReportCost(whole, reported);
  ReportTargets(fullConversion, whole);
  ReportMachineLoad("load at end");

  for (const std::string& out : {inProcessOut, programOut, noForcesOut, reportOut + ".md", reportOut + ".json"})
    fs::remove(out);
  if (!settings.keep)
    for (const std::string& save : {full, noForces}) fs::remove(save);
  return fullConversion.allSucceeded && noForcesConversion.allSucceeded && whole.allSucceeded &&
                 reported.allSucceeded
             ? 0
             : 1;
}
