#include "refdata/province_names.h"

#include <charconv>
#include <optional>

namespace {

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

ProvinceNames ProvinceNames::FromBytes(std::string_view bytes) {
  ProvinceNames names;
  names.loaded_ = true;
  std::string line;
  for (const char byte : bytes.substr(0, bytes.find('\0'))) {
    if (byte != '\n') {
      line.push_back(byte);
      continue;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    names.AddLine(line);
    line.clear();
  }
  return names;
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
