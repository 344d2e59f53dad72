// Many countries merging into one, each bringing its forces: Prussia becomes
// Germany, with naval technology enough for ship models that vary, and
// Bavarias join it one after another, each with a province and one land unit
// of two infantry regiments (or one fleet of two ships) there. Every merge
// adds its unit to Germany, which grows with every merge.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

struct Force {
  std::string_view unitKey;               // "landunit" or "navalunit"
  std::string_view unitName;              // "Army" or "Fleet"
  std::array<std::string_view, 2> types;  // of its regiments or ships
};

constexpr Force kArmy{"landunit", "Army", {"infantry", "infantry"}};
constexpr Force kFleet{"navalunit", "Fleet", {"cruiser", "steamer_transport"}};
constexpr std::array<int64_t, 5> kProvinces{8, 12, 846, 849, 2434};

void WriteUnit(SaveText& text, const Force& force, size_t number, int64_t province) {
  const std::string numbered = std::to_string(number) + ". ";
  text.Open(force.unitKey);
  text.Quoted("name", numbered + std::string(force.unitName));
  text.Whole("location", province);
  for (const std::string_view type : force.types) {
    text.Open("division");
    text.Quoted("name", numbered + std::string(type));
    text.Word("type", type);
    text.Word("quality", "regular");
    text.Close();
  }
  text.Close();
}

// Prussia's technologies: 23 in the 2000s and 23 outside the thousand-ranges
// give Germany 14 naval technologies, the level whose models vary most.
std::vector<int64_t> PrussianTechnologies() {
  std::vector<int64_t> ids;
  for (int64_t i = 1; i <= 23; ++i) ids.insert(ids.end(), {2000 + i, 5000 + i});
  return ids;
}

ShapeInput MergedForcesShape(size_t countries, const Force& force) {
  SaveRandom random(15);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  WriteShapeCountryBlock(text, "ENG", 49, {49, 308});
  text.Open("country");
  WriteShapeCountry(text, "PRU", 2434, {2434});
  text.WholeList("techapps", PrussianTechnologies());
  WriteUnit(text, force, 0, 2434);
  text.Close();
  for (size_t i = 0; i < countries; ++i) {
    const int64_t province = kProvinces[i % kProvinces.size()];
    text.Open("country");
    WriteShapeCountry(text, "BAV", province, {province});
    WriteUnit(text, force, i + 1, province);
    text.Close();
  }
  ShapeInput input;
  input.save = text.Take();
  return input;
}

}  // namespace

ShapeInput MergedArmiesShape(size_t countries) { return MergedForcesShape(countries, kArmy); }

ShapeInput MergedFleetsShape(size_t countries) { return MergedForcesShape(countries, kFleet); }
