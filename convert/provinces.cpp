// Provinces and ownership. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::CollectProvinceData() {}
double ScenarioConverter::ConvertCapital(const ProvinceMap&, ScriptNode*, const ScriptNode*) { return 0; }
void ScenarioConverter::ConvertProvinceLists(const ProvinceMap&, ScriptNode*, const ScriptNode*) {}
void ScenarioConverter::AssignAirBases(ScriptNode*, double, const std::string&) {}
void ScenarioConverter::ClaimProvinces(const ProvinceMap&) {}
void ScenarioConverter::DecideSharedProvinces() {}
void ScenarioConverter::WriteSharedProvinces() {}
