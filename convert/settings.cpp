#include "convert/settings.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

namespace {

bool SwitchSetting(const ScriptFile& dataFile, std::string_view key) {
  std::string value(dataFile.root().TextOf(key));
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
    ratio = dataFile.root().NumberOf(key, ratio);
    *factor = RatioToFactor(ratio);
  }
  return factors;
}

}  // namespace

ConversionSettings LoadSettings(const ScriptFile& dataFile) {
  ConversionSettings settings;
  settings.ports = dataFile.root().NumbersOf("ports");
  settings.icModifier = std::clamp(dataFile.root().NumberOf("ic_mod", 1.0), 0.1, 9.9);
  settings.convertManpower = SwitchSetting(dataFile, "convert_manpower");
  settings.factors = LoadUnitFactors(dataFile);
  return settings;
}
