// Many countries merging into one: the German states of the save, each with a
// province or two, a convoy and a regiment; the first founds Germany and the
// rest join it.
#include <array>
#include <string_view>

#include "bench/shape_save.h"
#include "bench/shapes.h"

ShapeInput MergesShape(size_t countries) {
  static constexpr std::array<std::string_view, 6> kStates{"BAV", "SAX", "WUR", "HAN", "BAD", "HES"};
  static constexpr std::array<int64_t, 5> kProvinces{8, 12, 846, 849, 2434};
  SaveRandom random(13);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  WriteShapeCountryBlock(text, "ENG", 49, {49, 308});
  for (size_t i = 0; i < countries; ++i) {
    const int64_t province = kProvinces[i % kProvinces.size()];
    text.Open("country");
    WriteShapeCountry(text, kStates[i % kStates.size()], province,
                      i % 3 == 0 ? std::vector<int64_t>{province, 9} : std::vector<int64_t>{province});
    text.Whole("clipper_convoy", static_cast<int64_t>(i % 3));
    text.Close();
  }
  ShapeInput input;
  input.save = text.Take();
  return input;
}
