// Land forces. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertLandForces(const ProvinceMap&, ScriptNode*, const ScriptNode*, int32_t,
                                          int32_t, int32_t&) {}
