// Dominions and satellites: which converted countries are subjects, and of whom.
#include <algorithm>
#include <cctype>

#include "convert/scenario_converter.h"

void ScenarioConverter::ConvertDominions(const std::string& tag, const ScriptNode* source) {
  std::string overlord(TextValueOf(source, "dominion"));
  if (overlord.empty()) overlord = TextValueOf(source, "satellite");
  if (overlord.empty()) return;
  std::transform(overlord.begin(), overlord.end(), overlord.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  subjectLinks.push_back({overlord, tag});
}
