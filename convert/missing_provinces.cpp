// Target provinces left without an owner. (Being written.)
#include "convert/scenario_converter.h"

bool ScenarioConverter::AssignMissingProvinces() { return true; }
