// Dominions and satellites. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertDominions(const std::string&, const ScriptNode*) {}
