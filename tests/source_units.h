// Source-save text for land and naval units in tests.
#pragma once

#include <string>
#include <string_view>

// One source regiment or ship; extra and quality are left out when empty.
inline std::string SourceDivision(std::string_view name, std::string_view type,
                                  std::string_view extra, std::string_view quality) {
  std::string text("division = { name = \"");
  text.append(name).append("\" type = ").append(type);
  if (!quality.empty()) text.append(" quality = ").append(quality);
  if (!extra.empty()) text.append(" extra = ").append(extra);
  return text.append(" }\n");
}

// Divisions <prefix><first> .. <prefix><first+count-1> of one type.
inline std::string SourceDivisions(char prefix, std::string_view type, int count, int first,
                                   std::string_view quality) {
  std::string text;
  for (int i = first; i < first + count; ++i)
    text += SourceDivision(prefix + std::to_string(i), type, "", quality);
  return text;
}

// A "landunit" or "navalunit" block; the location is left out when empty.
inline std::string SourceUnit(std::string_view key, std::string_view name,
                              std::string_view location, std::string_view body) {
  std::string text(key);
  text.append(" = { name = \"").append(name).append("\"");
  if (!location.empty()) text.append(" location = ").append(location);
  return text.append("\n").append(body).append("}\n");
}
