#include "app/files/data_folder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string FindDataFolder(const std::string& given, const std::string& executablePath) {
  if (!given.empty()) return given;
  std::error_code ec;
  if (fs::is_directory("Data", ec)) return "Data";
  if (!executablePath.empty()) {
    const fs::path folder = fs::path(executablePath).parent_path();
    for (const fs::path& candidate : {folder / "Data", folder.parent_path() / "share" / "quillmere" / "Data"})
      if (fs::is_directory(candidate, ec)) return candidate.string();
  }
  return "Data";
}

std::string DataFilePath(const std::string& folder, std::string_view file) {
#ifdef _WIN32
  // Windows takes both separators: a folder written with slashes alone goes on
  // with one, so that its files are named as the user spells paths.
  if (folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos)
    return folder + (folder.back() == '/' ? "" : "/") + std::string(file);
#endif
  return (fs::path(folder) / fs::path(file)).string();
}
