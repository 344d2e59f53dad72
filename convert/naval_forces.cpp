// Naval forces. (Being written.)
#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertNavalForces(const ProvinceMap&, ScriptNode*, const ScriptNode*, int32_t,
                                           int32_t, int32_t&) {}
