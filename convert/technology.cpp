// Technology. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertTechnology(ScriptNode*, const ScriptNode*, const std::string&) {}
