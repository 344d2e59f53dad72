#include "convert/dominions.h"

#include <algorithm>
#include <cctype>

std::optional<SubjectLink> ConvertDominions(const std::string& tag, const ScriptNode* source) {
  std::string overlord(source->TextOf("dominion"));
  if (overlord.empty()) overlord = source->TextOf("satellite");
  if (overlord.empty()) return std::nullopt;
  std::transform(overlord.begin(), overlord.end(), overlord.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return SubjectLink{overlord, tag};
}
