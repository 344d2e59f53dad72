#include "refdata/province_names.h"

#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

#ifdef _WIN32
constexpr std::string_view kNamesFile = "\\Config\\province_names.csv";
#else
constexpr std::string_view kNamesFile = "/Config/province_names.csv";
#endif

constexpr std::string_view kKeyPrefix = "PROV";

std::string ProvinceKey(ProvinceId id) { return std::string(kKeyPrefix) + std::to_string(id); }

// The id whose key is this field: "PROV" and the id exactly as std::to_string
// writes it (no plus sign, no leading zeros, no minus zero).
std::optional<ProvinceId> IdOfKey(std::string_view field) {
  if (field.substr(0, kKeyPrefix.size()) != kKeyPrefix) return std::nullopt;
  const std::string_view digits = field.substr(kKeyPrefix.size());
  ProvinceId id = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), id);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  if (std::to_string(id) != digits) return std::nullopt;
  return id;
}

}  // namespace

std::string NamesFilePath(std::string_view folder) {
  std::string path(folder);
  path += kNamesFile;
  return path;
}

std::optional<ProvinceNames> ProvinceNames::FromFile(const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;  // a pipe could wait forever
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  ProvinceNames names;
  names.loaded_ = true;
  std::string line;
  std::array<char, 1 << 16> buffer;
  bool ended = false;
  while (!ended) {
    const size_t n = std::fread(buffer.data(), 1, buffer.size(), file);
    if (n == 0) break;
    for (size_t i = 0; i < n && !ended; ++i) {
      const char byte = buffer[i];
      if (byte == '\0') {
        ended = true;
      } else if (byte == '\n') {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        names.AddLine(line);
        line.clear();
      } else {
        line.push_back(byte);
      }
    }
  }
  std::fclose(file);
  return names;
}

ProvinceNames ProvinceNames::FromFolder(const std::optional<std::string>& folder) {
  if (!folder) return ProvinceNames();
  std::optional<ProvinceNames> names = FromFile(NamesFilePath(*folder));
  return names ? std::move(*names) : ProvinceNames();
}

void ProvinceNames::AddLine(std::string_view line) {
  const size_t first = line.find(';');
  const std::optional<ProvinceId> id = IdOfKey(line.substr(0, first));
  if (!id || names_.count(*id)) return;
  std::string_view name;
  if (first != std::string_view::npos) {
    const std::string_view rest = line.substr(first + 1);
    name = rest.substr(0, rest.find(';'));
  }
  names_.emplace(*id, name);
}

std::string ProvinceNames::Name(ProvinceId id) const {
  const auto found = names_.find(id);
  return found == names_.end() ? ProvinceKey(id) : found->second;
}

std::string ProvinceNames::Label(ProvinceId id) const {
  if (!loaded_) return std::to_string(id);
  return std::to_string(id) + ", " + Name(id);
}
