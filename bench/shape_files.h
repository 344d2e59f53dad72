// Writes a generated shape into a folder as "quillmere convert" reads it, and
// gives the command line that converts it.
#pragma once

#include <string>
#include <vector>

#include "bench/shapes.h"

// Writes save.kst, a Data folder (the generated files, the rest copied from
// dataDir), Game/Config/province_names.csv and plan.txt when the shape has
// them, into folder. Returns the arguments after the program: convert save.kst
// scenario.kst --data ... [--game-dir ...] [--assign ...] --assign-rest TAG;
// empty when a file cannot be written.
std::vector<std::string> WriteShapeFiles(const ShapeInput& input, const std::string& folder,
                                         const std::string& dataDir);
