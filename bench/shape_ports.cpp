// A long ports list against a long owned list: ENG owns the same few provinces
// over and over, none of them a port until the very last, and Data.txt lists
// as many ports, the one that matches at its end.
#include <array>
#include <string>

#include "bench/shape_save.h"
#include "bench/shapes.h"

namespace {

constexpr int64_t kLastOwned = 104;   // its first target province is 1564
constexpr int64_t kMatchingPort = 1564;

std::string PortsText(size_t ports) {
  std::string text = "ports =\n{\n";
  for (size_t i = 0; i + 1 < ports; ++i) text += ' ' + std::to_string(5000 + i) + (i % 20 == 19 ? "\n" : "");
  text += ' ' + std::to_string(kMatchingPort) + "\n}\n";
  return text;
}

}  // namespace

ShapeInput PortsShape(size_t ports) {
  static constexpr std::array<int64_t, 7> kOwned{12, 49, 9, 8, 846, 2434, 1441};
  std::vector<int64_t> owned;
  for (size_t i = 0; i + 1 < ports; ++i) owned.push_back(kOwned[i % kOwned.size()]);
  owned.push_back(kLastOwned);
  SaveRandom random(15);
  SaveText text(LineEnd::kLf, random);
  WriteShapeHeader(text);
  text.Open("country");
  WriteShapeCountry(text, "ENG", 49, owned);
  text.Open("navalunit");
  text.Quoted("name", "Home Fleet");
  text.Open("division");
  text.Quoted("name", "HMS Bench");
  text.Word("type", "dreadnought");
  text.Close();
  text.Close();
  text.Close();
  ShapeInput input;
  input.save = text.Take();
  input.dataText = PortsText(ports);
  return input;
}
