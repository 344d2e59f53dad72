#include "app/files/whole_file.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path, StatusLog& log) {
  const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    log.AddLine("Could not open " + path + " for input");
    return std::nullopt;
  }
  constexpr size_t kBlockSize = 256 * 1024;
  std::string bytes;
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);  // none for a pipe
  if (!error && size < bytes.max_size() - kBlockSize) bytes.reserve(static_cast<size_t>(size) + kBlockSize);
  for (;;) {
    const size_t start = bytes.size();
    bytes.resize(start + kBlockSize);
    const size_t n = std::fread(bytes.data() + start, 1, kBlockSize, file.get());
    bytes.resize(start + n);
    if (n > 0) continue;
    if (!std::ferror(file.get())) return bytes;
    char line[64];
    std::snprintf(line, sizeof line, "File input error at %llu bytes.", static_cast<unsigned long long>(bytes.size()));
    log.AddLine(line);
    return std::nullopt;
  }
}
