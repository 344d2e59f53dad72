#include "assign/province_placement.h"

#include <algorithm>
#include <cctype>

std::vector<std::string> TagsInListOrder(std::vector<std::string> tags) {
  std::erase(tags, std::string());
  std::stable_sort(tags.begin(), tags.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
    });
  });
  return tags;
}
