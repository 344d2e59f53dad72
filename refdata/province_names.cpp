#include "refdata/province_names.h"

#include <cstdio>
#include <utility>

namespace {

#ifdef _WIN32
constexpr std::string_view kNamesFile = "\\Config\\province_names.csv";
#else
constexpr std::string_view kNamesFile = "/Config/province_names.csv";
#endif

std::string ProvinceKey(int32_t id) { return "PROV" + std::to_string(id); }

// A finished line, without the carriage return of a Windows line end.
void EndLine(std::string& line, std::vector<std::string>& lines) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  lines.push_back(std::move(line));
  line.clear();
}

}  // namespace

std::string NamesFilePath(std::string_view folder) {
  std::string path(folder);
  path += kNamesFile;
  return path;
}

std::optional<std::vector<std::string>> LoadNameLines(const std::string& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::vector<std::string> lines;
  std::string line;
  for (int byte = std::fgetc(file); byte != EOF && byte != 0; byte = std::fgetc(file)) {
    if (byte == '\n')
      EndLine(line, lines);
    else
      line.push_back(static_cast<char>(byte));
  }
  std::fclose(file);
  return lines;
}

std::string LookupProvinceName(int32_t id, const std::vector<std::string>& lines) {
  const std::string key = ProvinceKey(id);
  for (const std::string& line : lines) {
    const std::string_view text(line);
    const size_t first = text.find(';');
    if (text.substr(0, first) != key) continue;
    if (first == std::string_view::npos) return "";
    const std::string_view rest = text.substr(first + 1);
    return std::string(rest.substr(0, rest.find(';')));
  }
  return key;
}

ProvinceNames::ProvinceNames(std::vector<std::string> lines) : loaded_(true), lines_(std::move(lines)) {}

ProvinceNames ProvinceNames::FromFolder(const std::optional<std::string>& folder) {
  if (!folder) return ProvinceNames();
  std::optional<std::vector<std::string>> lines = LoadNameLines(NamesFilePath(*folder));
  return lines ? ProvinceNames(std::move(*lines)) : ProvinceNames();
}

std::string ProvinceNames::Label(int32_t id) const {
  if (!loaded_) return std::to_string(id);
  return std::to_string(id) + ", " + LookupProvinceName(id, lines_);
}
