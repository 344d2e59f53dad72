// quillmere_bench_reader: the script reader and writer of the command-line
// program against their floors, in one run.
//
//   quillmere_bench_reader [--mb 40] [--crlf] [--repeat 5] [--file SAVE]
//                          [--before PROGRAM] [--data DIR] [--dir DIR] [--keep]
//
// On a generated save in the shape of the games' own late saves (or the given
// file) it runs as child processes, each --repeat times: the two reading
// probes (quillmere_probe_tokens: the bytes read and every token found;
// quillmere_probe_tree: a compact tree reader without status lines or
// interned names), "quillmere check", the writing probe
// (quillmere_probe_format: the numbers formatted, the other bytes copied),
// "quillmere format" and "quillmere convert", and with --before the same
// commands of another build of the program, one run of each in turn. Each line gives the best wall and
// processor times, MB/s on the wall time and the peak memory as a multiple of
// the file; the last lines give the ratios of the program's times to the
// probes' and to the earlier build's, all measured in this run. MB means
// 1,000,000 bytes.
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/machine_load.h"
#include "bench/process_figures.h"
#include "bench/save_generator.h"

namespace {

namespace fs = std::filesystem;

constexpr double kBytesPerMB = 1e6;

struct Settings {
  double megabytes = 40.0;
  bool crlf = false;
  int repeat = 5;
  std::string file;
  std::string before;
  std::string data = QUILLMERE_DATA_DIR;
  std::string dir = (fs::temp_directory_path() / "quillmere-bench-reader").string();
  bool keep = false;
};

struct Measured {
  std::string label;
  std::vector<std::string> args;
  ProcessFigures figures;
};

std::string Beside(const char* program, const char* name) {
  return (fs::path(program).parent_path() / name).string();
}

// The first country of the generated saves, to which convert gives the
// provinces it leaves without an owner.
constexpr const char* kAssignedTag = "ENG";

class ReaderBench {
 public:
  ReaderBench(const Settings& settings, std::string save)
      : settings_(settings), save_(std::move(save)), bytes_(fs::file_size(save_)) {}

  void Run() {
    const std::string out = (fs::path(settings_.dir) / "written.kst").string();
    Add("probe tokens", {Probe("quillmere_probe_tokens"), save_});
    Add("probe tree", {Probe("quillmere_probe_tree"), save_});
    Add("probe format", {Probe("quillmere_probe_format"), save_, out});
    AddProgram("", QUILLMERE_CLI, out);
    if (!settings_.before.empty()) AddProgram(" before", settings_.before, out);
    // One run of each command in turn, repeated: what else the machine does
    // falls on all of them alike.
    for (int i = 0; i < settings_.repeat; ++i)
      for (Measured& m : measured_) {
        const ProcessFigures once = MeasureProcess(m.args, 1, true);
        m.figures.times.Add(once.times.Best());
        m.figures.cpuTimes.Add(once.cpuTimes.Best());
        m.figures.peakRssBytes = std::max(m.figures.peakRssBytes, once.peakRssBytes);
        m.figures.allSucceeded &= once.allSucceeded;
      }
    fs::remove(out);
    for (const Measured& m : measured_) Report(m);
    std::printf("\n");
    Ratio("check / probe tokens", "check", "probe tokens");
    Ratio("check / probe tree", "check", "probe tree");
    Ratio("format / probe format", "format", "probe format");
    Ratio("convert / check", "convert", "check");
    if (!settings_.before.empty()) {
      Ratio("check before / check", "check before", "check");
      Ratio("format before / format", "format before", "format");
      Ratio("convert before / convert", "convert before", "convert");
    }
  }

  bool allSucceeded() const { return allSucceeded_; }

 private:
  static std::string Probe(const char* name) { return Beside(QUILLMERE_BENCH_DIR "/x", name); }

  void AddProgram(const std::string& suffix, const std::string& program, const std::string& out) {
    Add("check" + suffix, {program, "check", save_});
    Add("format" + suffix, {program, "format", save_, out});
    Add("convert" + suffix, {program, "convert", save_, out, "--data", settings_.data,
                             "--assign-rest", kAssignedTag});
  }

  void Add(const std::string& label, std::vector<std::string> args) {
    measured_.push_back({label, std::move(args), {}});
  }

  void Report(const Measured& m) {
    const ProcessFigures& figures = m.figures;
    allSucceeded_ &= figures.allSucceeded;
    const double wall = figures.times.Best();
    std::printf("%-16s wall %.3f s (median %.3f)  cpu %.3f s  %7.1f MB/s  peak %6.1f MB = %.2f x file%s\n",
                m.label.c_str(), wall, figures.times.Median(), figures.cpuTimes.Best(),
                static_cast<double>(bytes_) / kBytesPerMB / wall,
                static_cast<double>(figures.peakRssBytes) / kBytesPerMB,
                static_cast<double>(figures.peakRssBytes) / static_cast<double>(bytes_),
                figures.allSucceeded ? "" : "  (a run FAILED)");
  }

  const ProcessFigures& Of(const std::string& label) const {
    for (const Measured& m : measured_)
      if (m.label == label) return m.figures;
    return measured_.front().figures;
  }

  void Ratio(const char* what, const std::string& numerator, const std::string& denominator) const {
    const ProcessFigures& n = Of(numerator);
    const ProcessFigures& d = Of(denominator);
    std::printf("%-26s wall %.2f x   cpu %.2f x\n", what, n.times.Best() / d.times.Best(),
                n.cpuTimes.Best() / d.cpuTimes.Best());
  }

  const Settings& settings_;
  std::string save_;
  uint64_t bytes_;
  std::vector<Measured> measured_;
  bool allSucceeded_ = true;
};

std::string GeneratedSave(const Settings& settings) {
  const fs::path path = fs::path(settings.dir) / (settings.crlf ? "game-crlf.kst" : "game.kst");
  SaveOptions options;
  options.bytes = static_cast<uint64_t>(settings.megabytes * kBytesPerMB);
  options.lineEnd = settings.crlf ? LineEnd::kCrLf : LineEnd::kLf;
  options.gameShape = true;
  return WriteSave(path.string(), options) ? path.string() : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  CLI::App app{"Measures the script reader and writer of the program against their floors."};
  app.add_option("--mb", settings.megabytes, "size of the generated file in millions of bytes")
      ->check(CLI::PositiveNumber);
  app.add_flag("--crlf", settings.crlf, "end the generated file's lines with CR LF");
  app.add_option("--repeat", settings.repeat, "runs of each measurement")->check(CLI::PositiveNumber);
  app.add_option("--file", settings.file, "measure this file instead of a generated one")
      ->check(CLI::ExistingFile);
  app.add_option("--before", settings.before, "another build of the program to compare with")
      ->check(CLI::ExistingFile);
  app.add_option("--data", settings.data, "the data folder of convert");
  app.add_option("--dir", settings.dir, "where the generated file is written");
  app.add_flag("--keep", settings.keep, "keep the generated file");
  CLI11_PARSE(app, argc, argv);

  std::printf("quillmere: %s\n", QUILLMERE_CLI);
  ReportMachineLoad("load at start");
  fs::create_directories(settings.dir);
  const std::string save = settings.file.empty() ? GeneratedSave(settings) : settings.file;
  if (save.empty()) {
    std::fprintf(stderr, "Could not write the generated file in %s\n", settings.dir.c_str());
    return 1;
  }
  std::printf("file %s: %.1f MB\n\n", save.c_str(), static_cast<double>(fs::file_size(save)) / kBytesPerMB);
  ReaderBench bench(settings, save);
  bench.Run();
  ReportMachineLoad("load at end");
  if (settings.file.empty() && !settings.keep) fs::remove(save);
  return bench.allSucceeded() ? 0 : 1;
}
