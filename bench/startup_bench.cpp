// Start-up cost: building the built-in province table and loading the three
// Data files, as the program does before its first conversion.
//   quillmere_bench_startup [DATA_FOLDER] [--repeat N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "app/core/run_messages.h"
#include "refdata/reference_data.h"

int main(int argc, char** argv) {
  std::string folder = "Data";
  int repeat = 50;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--repeat" && i + 1 < argc)
      repeat = std::max(1, std::atoi(argv[++i]));
    else
      folder = arg;
  }
  std::vector<double> times;
  for (int i = 0; i < repeat; ++i) {
    LineCollector log;
    const auto start = std::chrono::steady_clock::now();
    ReferenceData data;
    const std::optional<ReferencePart> failed = data.Load(log, folder);
    const auto end = std::chrono::steady_clock::now();
    if (failed) {
      std::fprintf(stderr, "%s\n", StartupFailureMessage(*failed).c_str());
      return 1;
    }
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  const double best = times.front();
  const double median = times[times.size() / 2];
  std::printf("start-up (province table and Data files)  best %.2f ms  median %.2f ms  (%d runs)\n",
              best, median, repeat);
  std::printf("target start-up      under 5 ms: %s\n", median < 5.0 ? "PASS" : "FAIL");
  return 0;
}
