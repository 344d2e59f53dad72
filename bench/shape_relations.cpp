// Many relations of one country: ENG's diplomacy names its partners over and
// over, among them partners without a target tag and partners whose mother
// country the scenario names.
#include <array>
#include <string_view>

#include "bench/shape_save.h"
#include "bench/shapes.h"

ShapeInput RelationsShape(size_t relations) {
  static constexpr std::array<std::string_view, 9> kPartners{"FRA", "PRU", "BAV", "RUS", "XXX",
                                                             "SAX", "SWE", "GER", "ENG"};
  SaveRandom random(12);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  text.Open("country");
  WriteShapeCountry(text, "ENG", 49, {49, 308});
  text.Open("diplomacy");
  for (size_t i = 0; i < relations; ++i) {
    text.Open("relation");
    text.Word("tag", kPartners[i % kPartners.size()]);
    text.Fixed("value", static_cast<int64_t>(i % 401) * 500 - 100'000);
    text.Close();
  }
  text.Close();
  text.Close();
  WriteShapeCountryBlock(text, "FRA", 846, {846, 849});
  ShapeInput input;
  input.save = text.Take();
  return input;
}
