// Alliances. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertAlliances() {}
