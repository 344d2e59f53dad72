#include "refdata/settings.h"

#include <algorithm>
#include <cctype>
#include <string>
#include <utility>

#include "script/number_format.h"

const std::array<std::string_view, 6> kRatioKeys = {"inf_mod",  "irr_mod",  "arm_mod",
                                                    "navy_mod", "dest_mod", "tran_mod"};
const std::array<SettingKey, 9> kSettingKeys = {{{"ports", kNumbers},
                                                 {"ic_mod", kNumbers},
                                                 {"convert_manpower", kWords},
                                                 {kRatioKeys[0], kNumbers},
                                                 {kRatioKeys[1], kNumbers},
                                                 {kRatioKeys[2], kNumbers},
                                                 {kRatioKeys[3], kNumbers},
                                                 {kRatioKeys[4], kNumbers},
                                                 {kRatioKeys[5], kNumbers}}};

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

UnitFactors LoadUnitFactors(const ScriptFile& dataFile, std::array<double, 6>& ratios) {
  UnitFactors factors;
  double* const factorOf[] = {&factors.infantry, &factors.irregular, &factors.armor,
                              &factors.navy,     &factors.destroyer, &factors.transport};
  double ratio = 0;
  for (size_t k = 0; k < kRatioKeys.size(); ++k) {
    ratio = dataFile.root().NumberOf(kRatioKeys[k], ratio);
    ratios[k] = ratio;
    *factorOf[k] = RatioToFactor(ratio);
  }
  return factors;
}

}  // namespace

ConversionSettings LoadSettings(const ScriptFile& dataFile) {
  ConversionSettings settings;
  if (const ScriptNode* ports = dataFile.root().NumbersOf("ports"))
    for (int i = 0; i < ports->ItemCount(); ++i) settings.ports.insert(TruncateToInt32(ports->NumberAt(i)));
  settings.icModifier =
      std::clamp(dataFile.root().NumberOf("ic_mod", 1.0), kLowestIcModifier, kHighestIcModifier);
  settings.convertManpower = SwitchSetting(dataFile, "convert_manpower");
  settings.factors = LoadUnitFactors(dataFile, settings.ratios);
  return settings;
}
