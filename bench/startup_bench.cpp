// Start-up cost: the province table and the three Data files loaded and
// checked, as the program does before its first conversion; and the province
// table alone, built in and read from a Provinces.txt (the built-in table
// written out into a copy of the data folder).
//   quillmere_bench_startup [DATA_FOLDER] [--repeat N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/core/reference_startup.h"
#include "app/core/run_messages.h"
#include "app/files/data_folder_files.h"

namespace fs = std::filesystem;

namespace {

// Best and median of repeat runs of step, in milliseconds; false when a run failed.
bool Report(const char* what, int repeat, const std::function<bool()>& step) {
  std::vector<double> times;
  for (int i = 0; i < repeat; ++i) {
    const auto start = std::chrono::steady_clock::now();
    if (!step()) return false;
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  std::printf("%-44s best %.2f ms  median %.2f ms  (%d runs)\n", what, times.front(),
              times[times.size() / 2], repeat);
  return true;
}

// A copy of the data folder whose Provinces.txt holds the built-in table.
std::string FolderWithTableFile(const std::string& folder) {
  const fs::path copy = fs::temp_directory_path() / "quillmere-bench-startup";
  fs::remove_all(copy);
  fs::copy(folder, copy, fs::copy_options::recursive);
  ProvinceMap table;
  table.Build();
  std::ofstream(copy / "Provinces.txt", std::ios::binary) << table.Text();
  return copy.string();
}

}  // namespace

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
  const std::string withFile = FolderWithTableFile(folder);
  const auto startUp = [](const std::string& from) {
    return [from] {
      LineCollector log;
      ReferenceData data;
      const std::optional<ReferencePart> failed = LoadReferenceData(data, log, ReadDataFolder(from));
      if (failed) std::fprintf(stderr, "%s\n", StartupFailureMessage(data, *failed).c_str());
      return !failed;
    };
  };
  const auto tableOnly = [](const std::string& from) {
    return [from] {
      LineCollector log;
      ReferenceData data;
      return data.LoadTable(log, ReadTableFile(from));
    };
  };
  const bool ok = Report("province table, built in", repeat, tableOnly(folder)) &&
                  Report("province table, from Provinces.txt", repeat, tableOnly(withFile)) &&
                  Report("start-up, loaded and checked", repeat, startUp(folder)) &&
                  Report("start-up with Provinces.txt", repeat, startUp(withFile));
  fs::remove_all(withFile);
  return ok ? 0 : 1;
}
