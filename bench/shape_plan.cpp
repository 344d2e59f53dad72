// A long plan: ENG and FRA are given ids that are not missing, among them ids
// that are not whole numbers, negative or minus zero, and some missing ones
// again and again; only the plan's last ids are those of the map, so nearly
// every province is still unplaced while the plan is carried out.
#include <string>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

constexpr size_t kMapIds = 2000;
constexpr size_t kIdsPerLine = 20;

std::string PlanId(size_t i, size_t ids) {
  if (i + kMapIds >= ids) return std::to_string(ids - i);
  switch (i % 1000) {
    case 7: return "12.5";
    case 8: return "-0";
    case 9: return "-3";
    case 10: return "550";
    default: return std::to_string(3000 + i % 50'000);
  }
}

void AppendEntry(std::string& plan, const char* tag, size_t first, size_t last, size_t ids) {
  plan += tag;
  plan += " = {";
  for (size_t i = first; i < last; ++i)
    plan += (i % kIdsPerLine == 0 ? "\n    " : " ") + PlanId(i, ids);
  plan += "\n}\n";
}

}  // namespace

ShapeInput PlanShape(size_t ids) {
  ShapeInput input;
  input.save = FewCountriesSave();
  AppendEntry(input.planText, "ENG", 0, ids / 2, ids);
  AppendEntry(input.planText, "FRA", ids / 2, ids, ids);
  return input;
}
