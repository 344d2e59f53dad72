// Naval forces: a country's source fleets become its target "navalunit"
// blocks. Ships are pooled like the regiments of the land forces (see
// force_pooling.h), with transports in a weight of their own and the extras as
// numbered destroyer divisions. Each ship division gets a model that follows
// the country's naval technology: techapps is the first "techapps" within the
// target country (null for none), which the technology has written. Each
// fleet lies in a port: its location falls back to the country's port province
// and then passes the base redirects.
#pragma once

#include "convert/force_pooling.h"

ForceCounts ConvertNavalForces(const ProvinceMap& provinces, const UnitFactors& factors, ScriptNode* target,
                               const ScriptNode* source, const ScriptNode* techapps, UnitIds ids,
                               int32_t fallbackLocation);
