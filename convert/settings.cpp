#include "convert/settings.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

namespace {

std::optional<double> NumberSetting(const ScriptFile& dataFile, std::string_view key) {
  const ScriptNode* node = dataFile.root().FirstChild(key);
  if (!node || node->kind != kNumbers || node->ItemCount() == 0) return std::nullopt;
  return node->NumberAt(0);
}

bool SwitchSetting(const ScriptFile& dataFile, std::string_view key) {
  const ScriptNode* node = dataFile.root().FirstChild(key);
  const std::optional<std::string_view> text = node ? node->FirstText() : std::nullopt;
  if (!text) return false;
  std::string value(*text);
  std::transform(value.begin(), value.end(), value.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return value == "yes";
}

double RatioToFactor(double ratio) {
  if (ratio > 4) return 0.2;
  if (ratio > 3) return 0.25;
  if (ratio > 2) return 0.34;
  return 0.5;
}

UnitFactors LoadUnitFactors(const ScriptFile& dataFile) {
  UnitFactors factors;
  double ratio = 0;
  const std::pair<const char*, double*> keys[] = {
      {"inf_mod", &factors.infantry}, {"irr_mod", &factors.irregular},
      {"arm_mod", &factors.armor},    {"navy_mod", &factors.navy},
      {"dest_mod", &factors.destroyer}, {"tran_mod", &factors.transport}};
  for (auto [key, factor] : keys) {
    ratio = NumberSetting(dataFile, key).value_or(ratio);
    *factor = RatioToFactor(ratio);
  }
  return factors;
}

}  // namespace

ConversionSettings LoadSettings(const ScriptFile& dataFile) {
  ConversionSettings settings;
  const ScriptNode* ports = dataFile.root().FirstChild("ports");
  settings.ports = ports && ports->kind == kNumbers ? ports : nullptr;
  settings.icModifier = std::clamp(NumberSetting(dataFile, "ic_mod").value_or(1.0), 0.1, 9.9);
  settings.convertManpower = SwitchSetting(dataFile, "convert_manpower");
  settings.factors = LoadUnitFactors(dataFile);
  return settings;
}
