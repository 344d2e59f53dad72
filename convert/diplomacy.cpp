// Diplomacy. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertDiplomacy(ScriptNode*, const ScriptNode*) {}
