// The conversion settings of Data.txt. Every setting is optional; one whose
// value has the wrong kind (a word for a number, a number for a switch) counts
// as absent. Only the top level of the file is read.
#include <algorithm>
#include <cctype>
#include <optional>

#include "convert/scenario_converter.h"

namespace {

const ScriptNode* Setting(const ScriptFile& dataFile, std::string_view key) {
  return dataFile.root ? dataFile.root->FirstChild(key) : nullptr;
}

std::optional<double> NumberSetting(const ScriptFile& dataFile, std::string_view key) {
  const ScriptNode* node = Setting(dataFile, key);
  if (!node || node->kind != kNumbers || node->ItemCount() == 0) return std::nullopt;
  return node->NumberAt(0);
}

bool SwitchSetting(const ScriptFile& dataFile, std::string_view key) {
  const ScriptNode* node = Setting(dataFile, key);
  const std::optional<std::string_view> text = node ? node->FirstText() : std::nullopt;
  if (!text) return false;
  std::string value(*text);
  std::transform(value.begin(), value.end(), value.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return value == "yes";
}

}  // namespace

double ScenarioConverter::RatioToFactor(double ratio) {
  if (ratio > 4) return 0.2;
  if (ratio > 3) return 0.25;
  if (ratio > 2) return 0.34;
  return 0.5;
}

void ScenarioConverter::LoadSettings(const ScriptFile& dataFile) {
  const ScriptNode* ports = Setting(dataFile, "ports");
  portsNode = ports && ports->kind == kNumbers ? ports : nullptr;
  icModifier = std::clamp(NumberSetting(dataFile, "ic_mod").value_or(1.0), 0.1, 9.9);
  convertManpower = SwitchSetting(dataFile, "convert_manpower");
}

void ScenarioConverter::LoadUnitRatios(const ScriptFile& dataFile) {
  // An absent key repeats the ratio of the last key before it that was present.
  double ratio = 0;
  const std::pair<const char*, double*> keys[] = {
      {"inf_mod", &infantryFactor}, {"irr_mod", &irregularFactor},  {"arm_mod", &armorFactor},
      {"navy_mod", &navyFactor},    {"dest_mod", &destroyerFactor}, {"tran_mod", &transportFactor}};
  for (auto [key, factor] : keys) {
    ratio = NumberSetting(dataFile, key).value_or(ratio);
    *factor = RatioToFactor(ratio);
  }
}
