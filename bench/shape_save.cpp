#include "bench/shape_save.h"

void WriteShapeHeader(SaveText& text) {
  text.Open("header");
  text.Quoted("name", "Generated shape");
  text.Open("pop");
  text.Fixed("total", 108'500);
  text.Close();
  text.WordList("selectable", {"ENG", "FRA", "PRU", "RUS", "SWE"});
  text.Open("ENG");
  text.Quoted("playername", "Hotseat 1: Bench");
  text.Close();
  text.Close();
}

void WriteShapeCountry(SaveText& text, std::string_view tag, int64_t capital,
                       const std::vector<int64_t>& owned) {
  text.Word("tag", tag);
  text.Word("government", "monarchy");
  text.Whole("capital", capital);
  text.Fixed("manpower", 12'500);
  text.WholeList("ownedprovinces", owned);
  text.WholeList("nationalprovinces", owned);
}

void WriteShapeCountryBlock(SaveText& text, std::string_view tag, int64_t capital,
                            const std::vector<int64_t>& owned) {
  text.Open("country");
  WriteShapeCountry(text, tag, capital, owned);
  text.Close();
}

std::string FewCountriesSave() {
  SaveRandom random(10);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  WriteShapeCountryBlock(text, "ENG", 49, {49, 308});
  WriteShapeCountryBlock(text, "FRA", 846, {846, 849});
  return text.Take();
}
