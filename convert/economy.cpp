// Economy and industry. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertResources(ScriptNode*, const ScriptNode*, const std::string&, bool) {}
void ScenarioConverter::ConvertConvoys(ScriptNode*, const ScriptNode*) {}
void ScenarioConverter::ConvertFactories(const ScriptNode*, int32_t&) {}
void ScenarioConverter::ConvertProvinceBuildings(const ProvinceMap&) {}
