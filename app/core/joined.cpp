#include "app/core/joined.h"

std::string Joined(const std::vector<std::string>& words, std::string_view separator) {
  std::string text;
  for (const std::string& word : words) {
    if (!text.empty()) text += separator;
    text += word;
  }
  return text;
}

std::string JoinedIds(const std::vector<ProvinceId>& ids, std::string_view separator) {
  std::vector<std::string> words;
  words.reserve(ids.size());
  for (ProvinceId id : ids) words.push_back(std::to_string(id));
  return Joined(words, separator);
}
