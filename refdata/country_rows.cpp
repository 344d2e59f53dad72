#include "refdata/country_rows.h"

#include <string>

#include "script/script_reader.h"

std::optional<std::string_view> TagOfRow(const ScriptNode* row) {
  const std::optional<std::string_view> tag = row->FirstText();
  if (!tag) return std::string_view();
  if (!ScriptReader::IsPlainWord(*tag)) return std::nullopt;
  return tag;
}
