// Many countries founding one each: a merge table of its own gives every
// country of the save a mother country that no earlier country founded.
#include <string>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

// The i-th of a run of three-character tags starting with letter: the first
// character counts on from letter every 1,296 tags, the other two are i in base
// 36. Runs from 'S' (saves) and from 'G' (mothers) stay clear of ENG and FRA.
std::string Numbered(char letter, size_t i) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string tag(1, static_cast<char>(letter + i / 1296));
  tag += kDigits[i / 36 % 36];
  tag += kDigits[i % 36];
  return tag;
}

std::string CountriesText(size_t countries) {
  std::string text = "tag_conversion_table =\n{\n    ENG = ENG\n    FRA = FRA\n}\n";
  text += "mother_merge_table =\n{\n";
  for (size_t i = 0; i < countries; ++i)
    text += "    " + Numbered('S', i) + " = " + Numbered('G', i) + "\n";
  text += "}\n";
  return text;
}

}  // namespace

ShapeInput FoundedShape(size_t countries) {
  SaveRandom random(14);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  WriteShapeCountryBlock(text, "ENG", 49, {49, 308});
  for (size_t i = 0; i < countries; ++i) {
    WriteShapeCountryBlock(text, Numbered('S', i), 12,
                           i % 4 == 0 ? std::vector<int64_t>{12} : std::vector<int64_t>{});
  }
  ShapeInput input;
  input.save = text.Take();
  input.countriesText = CountriesText(countries);
  return input;
}
