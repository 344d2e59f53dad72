// Inputs that grow along one dimension only, for measuring that the conversion's
// time grows no faster than its input: many claims on one province, many
// relations in one country, many countries merging into one (bare, or each
// bringing a land unit or a fleet), many countries each founding its own, a
// long ports list against a long owned list, a long province names file and a
// long plan of the provinces left without an owner.
//
// Each shape is generated from its count alone, so the same count gives the
// same bytes on every platform.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The files of one run of "quillmere convert"; an empty text leaves its file out
// (the repository's Data file is used, or the option is not passed).
struct ShapeInput {
  std::string save;
  std::string dataText;       // Data.txt
  std::string countriesText;  // Countries.txt
  std::string namesText;      // Config/province_names.csv of --game-dir
  std::string planText;       // --assign
  std::string restTag = "ENG";  // --assign-rest
};

struct Shape {
  const char* name;
  const char* what;    // what grows with the count
  size_t count;        // the count of the smaller run
  ShapeInput (*generate)(size_t count);
};

ShapeInput ClaimsShape(size_t claims);
ShapeInput RelationsShape(size_t relations);
ShapeInput MergesShape(size_t countries);
ShapeInput MergedArmiesShape(size_t countries);
ShapeInput MergedFleetsShape(size_t countries);
ShapeInput FoundedShape(size_t countries);
ShapeInput PortsShape(size_t ports);
ShapeInput NamesShape(size_t lines);
ShapeInput PlanShape(size_t ids);

// Every shape with the count of its smaller run.
const std::vector<Shape>& Shapes();
