#include "bench/shapes.h"

const std::vector<Shape>& Shapes() {
  static const std::vector<Shape> shapes{
      {"claims", "claims on one province", 80'000, ClaimsShape},
      {"relations", "relations of one country", 80'000, RelationsShape},
      {"merges", "countries merging into one", 40'000, MergesShape},
      {"merged-armies", "countries merging into one, each with a land unit", 20'000, MergedArmiesShape},
      {"merged-fleets", "countries merging into one, each with a fleet", 20'000, MergedFleetsShape},
      {"founded", "countries founding one each", 3'000, FoundedShape},
      {"ports", "ports against owned provinces", 100'000, PortsShape},
      {"names", "lines of the province names file", 1'000'000, NamesShape},
      {"plan", "province ids of the plan", 1'000'000, PlanShape},
  };
  return shapes;
}
