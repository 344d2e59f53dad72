// Many countries founding one each: a merge table of its own gives every
// country of the save a mother country that no earlier country founded.
#include <string>
#include <string_view>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

// The i-th of a run of three-character tags: the first character is taken
// from firsts, one after another every 1,296 tags, the other two are i in base
// 36. Saves' tags start with a letter of kSaveFirsts and mothers' with one of
// kMotherFirsts, so the two runs never meet, nor ENG and FRA.
constexpr std::string_view kSaveFirsts = "ABCDGHIJKLM";
constexpr std::string_view kMotherFirsts = "NOPQRSTUVWXYZ";

std::string Numbered(std::string_view firsts, size_t i) {
  static constexpr char kDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  std::string tag(1, firsts[i / 1296 % firsts.size()]);
  tag += kDigits[i / 36 % 36];
  tag += kDigits[i % 36];
  return tag;
}

std::string CountriesText(size_t countries) {
  std::string text = "tag_conversion_table =\n{\n    ENG = ENG\n    FRA = FRA\n}\n";
  text += "mother_merge_table =\n{\n";
  for (size_t i = 0; i < countries; ++i)
    text += "    " + Numbered(kSaveFirsts, i) + " = " + Numbered(kMotherFirsts, i) + "\n";
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
    WriteShapeCountryBlock(text, Numbered(kSaveFirsts, i), 12,
                           i % 4 == 0 ? std::vector<int64_t>{12} : std::vector<int64_t>{});
  }
  ShapeInput input;
  input.save = text.Take();
  input.countriesText = CountriesText(countries);
  return input;
}
