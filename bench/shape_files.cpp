#include "bench/shape_files.h"

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

bool WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

// The generated text, or a copy of the repository's file when there is none.
bool WriteDataFile(const fs::path& folder, const char* name, const std::string& text,
                   const std::string& dataDir) {
  if (!text.empty()) return WriteText(folder / name, text);
  std::error_code error;
  fs::create_directories(folder, error);
  fs::copy_file(fs::path(dataDir) / name, folder / name, fs::copy_options::overwrite_existing, error);
  return !error;
}

}  // namespace

std::vector<std::string> WriteShapeFiles(const ShapeInput& input, const std::string& folder,
                                         const std::string& dataDir) {
  const fs::path base(folder);
  const fs::path data = base / "Data";
  std::vector<std::string> args{"convert", (base / "save.kst").string(),
                                (base / "scenario.kst").string(), "--data", data.string()};
  bool written = WriteText(base / "save.kst", input.save) &&
                 WriteDataFile(data, "Data.txt", input.dataText, dataDir) &&
                 WriteDataFile(data, "Countries.txt", input.countriesText, dataDir) &&
                 WriteDataFile(data, "Bases.txt", "", dataDir);
  if (!input.namesText.empty()) {
    written = written && WriteText(base / "Game" / "Config" / "province_names.csv", input.namesText);
    args.insert(args.end(), {"--game-dir", (base / "Game").string()});
  }
  if (!input.planText.empty()) {
    written = written && WriteText(base / "plan.txt", input.planText);
    args.insert(args.end(), {"--assign", (base / "plan.txt").string()});
  }
  args.insert(args.end(), {"--assign-rest", input.restTag});
  if (!written) args.clear();
  return args;
}
