// The conversion inside one process, from bytes to bytes, as a front end
// without files runs it (the web page, any program that links the core): the
// reference data loaded once, then for each save its bytes prepared, every
// missing province given to the first offered country, the conversion finished
// and the scenario written into a buffer. The same source builds natively and
// for WebAssembly, so that bench/wasm_bench.sh and bench/reader_wasm.sh compare
// the two on the same saves in one run.
//
//   quillmere_bench_inprocess DATA SAVE... [--runs N] [--step check|format]
//
// prints one line per save: its size, the best and the median time of N runs
// (5 by default) in milliseconds, and the output's size. --step check only
// reads each save into its tree (what `quillmere check` does), --step format
// reads it and writes the tree out, to a sink that only counts the bytes
// (`quillmere format`). Exits with 1 when the data does not load or a save
// does not convert.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "app/core/program_info.h"
#include "app/core/reference_startup.h"
#include "app/files/data_folder_files.h"
#include "bench/first_country_assigner.h"
#include "bench/run_times.h"
#include "convert/scenario_converter.h"
#include "script/output_sink.h"
#include "script/script_file.h"

namespace {

bool ReadWhole(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  bytes = std::move(text).str();
  return in.good() || in.eof();
}

// One conversion from the save's bytes to the scenario's; the scenario's size,
// or 0 when it did not convert.
size_t Convert(const std::string& save, const ReferenceData& data) {
  LineCollector log;
  PreparedConversion prepared = Prepare(save, data, log);
  if (prepared.result != ConversionResult::kConverted) return 0;
  FirstCountryAssigner assigner;
  const Conversion done = Finish(*prepared.pending, assigner);
  if (done.result != ConversionResult::kConverted) return 0;
  std::string scenario;
  done.scenario.Write(scenario, kGeneratorText);
  return scenario.size();
}

// Counts what is written to it, as a file would take it.
class CountingSink : public OutputSink {
 public:
  bool Write(std::string_view bytes) override {
    count += bytes.size();
    return true;
  }
  size_t count = 0;
};

// The save read into its tree; the tree's size written out again when asked
// (format), else the save's size.
size_t ReadAndWrite(const std::string& save, bool write) {
  LineCollector log;
  ScriptFile file;
  file.ReadBuffer(save, log);
  if (!write) return save.size();
  CountingSink sink;
  file.Write(sink, kGeneratorText);
  return sink.count;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> saves;
  int runs = 5;
  std::string step = "convert";
  for (int i = 2; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--runs" && i + 1 < argc)
      runs = std::max(1, std::atoi(argv[++i]));
    else if (argument == "--step" && i + 1 < argc)
      step = argv[++i];
    else
      saves.push_back(argument);
  }
  if (argc < 3 || saves.empty() || (step != "convert" && step != "check" && step != "format")) {
    std::fprintf(stderr, "usage: %s DATA SAVE... [--runs N] [--step check|format]\n", argv[0]);
    return 2;
  }
  ReferenceData data;
  LineCollector log;
  if (LoadReferenceData(data, log, ReadDataFolder(argv[1]))) {
    std::fprintf(stderr, "The reference data in %s does not load\n", argv[1]);
    return 1;
  }
  for (const std::string& path : saves) {
    std::string bytes;
    if (!ReadWhole(path, bytes)) {
      std::fprintf(stderr, "Could not read %s\n", path.c_str());
      return 1;
    }
    RunTimes times;
    size_t scenarioBytes = 0;
    for (int run = 0; run < runs; ++run) {
      const auto start = std::chrono::steady_clock::now();
      scenarioBytes = step == "convert" ? Convert(bytes, data) : ReadAndWrite(bytes, step == "format");
      times.Add(Seconds(start));
      if (scenarioBytes == 0) {
        std::fprintf(stderr, "%s did not convert\n", path.c_str());
        return 1;
      }
    }
    std::printf("%s: %.2f MB, best %.1f ms, median %.1f ms, output %.2f MB\n", path.c_str(), bytes.size() / 1e6,
                times.Best() * 1e3, times.Median() * 1e3, scenarioBytes / 1e6);
  }
  return 0;
}
