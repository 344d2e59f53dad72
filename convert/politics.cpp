// Politics and policies. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertPolitics(ScriptNode*, const ScriptNode*, const std::string&) {}
