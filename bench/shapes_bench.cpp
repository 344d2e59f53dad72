// quillmere_bench_shapes: whether the conversion's time grows linearly with
// inputs that grow along one dimension (shapes.h).
//
//   quillmere_bench_shapes [--shape NAME]... [--scale 1] [--factor 4] [--repeat 3]
//                          [--program PATH] [--data DIR] [--dir DIR] [--keep] [--write-only]
//
// Each shape is generated at its count times SCALE and at FACTOR times that, and
// "quillmere convert" runs on both as a child process. One line per run gives
// the count, the input's size, the wall and processor time and the peak memory;
// then the ratio of the two times, and whether the larger run stayed under 2 s
// with a ratio of at most 1.25 x FACTOR. --write-only writes the files and
// prints each command line instead of running it.
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/machine_load.h"
#include "bench/process_figures.h"
#include "bench/shape_files.h"
#include "bench/shapes.h"

namespace {

namespace fs = std::filesystem;

constexpr double kLargerRunTarget = 2.0;  // seconds
constexpr double kRatioSlack = 1.25;      // of the count's factor
constexpr double kBytesPerMB = 1e6;

struct Settings {
  std::vector<std::string> shapes;
  double scale = 1.0;
  size_t factor = 4;
  int repeat = 3;
  std::string program = QUILLMERE_CLI;
  std::string data = QUILLMERE_DATA_DIR;
  std::string dir = (fs::temp_directory_path() / "quillmere-shapes").string();
  bool keep = false;
  bool writeOnly = false;
};

bool Chosen(const Settings& settings, const Shape& shape) {
  if (settings.shapes.empty()) return true;
  for (const std::string& name : settings.shapes)
    if (name == shape.name) return true;
  return false;
}

size_t InputBytes(const ShapeInput& input) {
  return input.save.size() + input.dataText.size() + input.countriesText.size() +
         input.namesText.size() + input.planText.size();
}

std::string CommandLine(const std::vector<std::string>& args) {
  std::string line;
  for (const std::string& arg : args) line += (line.empty() ? "" : " ") + arg;
  return line;
}

// Writes the shape at count into its folder; the full command line, or none.
std::vector<std::string> WriteRun(const Settings& settings, const Shape& shape, size_t count,
                                  size_t& bytes) {
  const ShapeInput input = shape.generate(count);
  bytes = InputBytes(input);
  const std::string folder = (fs::path(settings.dir) / (std::string(shape.name) + "-" + std::to_string(count))).string();
  std::vector<std::string> args = WriteShapeFiles(input, folder, settings.data);
  if (!args.empty()) args.insert(args.begin(), settings.program);
  return args;
}

// The best wall time of the run at count; negative when it failed.
double MeasureRun(const Settings& settings, const Shape& shape, size_t count) {
  size_t bytes = 0;
  const std::vector<std::string> args = WriteRun(settings, shape, count, bytes);
  if (args.empty()) {
    std::printf("  %-9zu could not write the files in %s\n", count, settings.dir.c_str());
    return -1;
  }
  if (settings.writeOnly) {
    std::printf("%s\n", CommandLine(args).c_str());
    return 0;
  }
  const ProcessFigures figures = MeasureProcess(args, settings.repeat, true);
  std::printf("  %-9zu %7.1f MB  wall best %7.3f s  median %7.3f s  cpu %7.3f s  peak %7.1f MB%s\n",
              count, static_cast<double>(bytes) / kBytesPerMB, figures.times.Best(),
              figures.times.Median(), figures.cpuTimes.Best(),
              static_cast<double>(figures.peakRssBytes) / kBytesPerMB,
              figures.allSucceeded ? "" : "  (a run FAILED)");
  if (!settings.keep) fs::remove_all(fs::path(args[2]).parent_path());
  return figures.allSucceeded ? figures.cpuTimes.Best() : -1;
}

// Runs the shape at both counts; false when a run failed or missed its target.
bool MeasureShape(const Settings& settings, const Shape& shape) {
  const size_t small = std::max<size_t>(1, static_cast<size_t>(static_cast<double>(shape.count) * settings.scale));
  const size_t large = small * settings.factor;
  std::printf("%s: %s\n", shape.name, shape.what);
  const double smallTime = MeasureRun(settings, shape, small);
  const double largeTime = MeasureRun(settings, shape, large);
  if (settings.writeOnly) return smallTime >= 0 && largeTime >= 0;
  if (smallTime < 0 || largeTime < 0) return false;
  const double ratio = largeTime / smallTime;
  const bool pass = largeTime < kLargerRunTarget && ratio <= kRatioSlack * static_cast<double>(settings.factor);
  std::printf("  ratio     %zu x count: %.2f x cpu time; target under %.0f s, ratio at most %.1f: %s\n\n",
              settings.factor, ratio, kLargerRunTarget, kRatioSlack * static_cast<double>(settings.factor),
              pass ? "PASS" : "FAIL");
  return pass;
}

}  // namespace

int main(int argc, char** argv) {
  Settings settings;
  CLI::App app{"Measures how the conversion's time grows with inputs that grow along one dimension."};
  app.add_option("--shape", settings.shapes, "a shape to run (all when none is given)");
  app.add_option("--scale", settings.scale, "multiplies every shape's count")->check(CLI::PositiveNumber);
  app.add_option("--factor", settings.factor, "the larger run's count over the smaller's")
      ->check(CLI::PositiveNumber);
  app.add_option("--repeat", settings.repeat, "runs of each measurement")->check(CLI::PositiveNumber);
  app.add_option("--program", settings.program, "the quillmere program to run")->check(CLI::ExistingFile);
  app.add_option("--data", settings.data, "the Data folder whose files the shapes do not replace")
      ->check(CLI::ExistingDirectory);
  app.add_option("--dir", settings.dir, "where generated files are written");
  app.add_flag("--keep", settings.keep, "keep the generated files");
  app.add_flag("--write-only", settings.writeOnly, "write the files and print the command lines");
  CLI11_PARSE(app, argc, argv);

  if (!settings.writeOnly) {
    std::printf("quillmere: %s\n", settings.program.c_str());
    ReportMachineLoad("load at start");
    std::printf("times: processor time (user + system) of the best of %d runs\n\n", settings.repeat);
  }
  bool allPassed = true;
  for (const Shape& shape : Shapes())
    if (Chosen(settings, shape)) allPassed &= MeasureShape(settings, shape);
  if (!settings.writeOnly) ReportMachineLoad("load at end");
  return allPassed ? 0 : 1;
}
