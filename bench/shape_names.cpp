// A long province names file: half its lines are empty, most of the rest name
// provinces the map does not have, and the names of the provinces left without
// an owner come last, some twice, some with a Windows line end. A few keys only
// look like a province's: leading zeros, a minus zero, no name field.
#include <string>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

constexpr size_t kMapIds = 2000;  // the target ids that the last quarter names in turn

std::string NameLine(size_t i, size_t lines) {
  if (i % 2 == 0) return "";
  const std::string n = std::to_string(i);
  if (i < lines / 4 * 3) return "PROV" + std::to_string(100'000 + i) + ";Far " + n + ";x";
  const std::string id = std::to_string(1 + i % kMapIds);
  switch (i % 11) {
    case 1: return "PROV0" + id + ";Padded " + n;
    case 3: return "PROV-0;Minus " + n;
    case 5: return "PROV" + id;
    case 7: return "PROV" + id + ";Windows " + n + "\r";
    default: return "PROV" + id + ";Name " + n + ";y";
  }
}

}  // namespace

ShapeInput NamesShape(size_t lines) {
  ShapeInput input;
  input.save = FewCountriesSave();
  for (size_t i = 0; i < lines; ++i) {
    input.namesText += NameLine(i, lines);
    input.namesText += '\n';
  }
  return input;
}
