// Land forces: a country's source land units become its target "landunit"
// blocks. The source game counts regiments, the target game larger divisions:
// the regiments are pooled (see force_pooling.h), infantry and cavalry in the
// regular weight, colonial regiments and irregulars as militia, and the extras
// as numbered armor divisions. Units without a mapped location lie in the
// fallback location (the capital; none for a merge).
#pragma once

#include "convert/force_pooling.h"

ForceCounts ConvertLandForces(const ProvinceMap& provinces, const UnitFactors& factors, ScriptNode* target,
                       const ScriptNode* source, UnitIds ids, int32_t fallbackLocation);
