// Many claims on one province: ENG claims the province of source id 12 again
// and again, FRA now and then, with some claims on a part of a province that
// several source provinces make up and some on provinces with nationalism.
#include "bench/shape_save.h"
#include "bench/shapes.h"

ShapeInput ClaimsShape(size_t claims) {
  SaveRandom random(11);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  for (size_t i = 0; i < claims; ++i) {
    text.Open("province");
    text.Whole("id", i % 10 == 9 ? 10 : 12);
    text.Word("claimant", i % 7 == 3 ? "FRA" : "ENG");
    text.Word("claim", "yes");
    if (i % 50 == 49) text.Fixed("nationalism", 8'500);
    text.Close();
  }
  WriteShapeCountryBlock(text, "ENG", 49, {49, 308});
  WriteShapeCountryBlock(text, "FRA", 846, {846, 849});
  ShapeInput input;
  input.save = text.Take();
  return input;
}
