#include "refdata/country_rows.h"

#include <string>

#include "script/script_reader.h"

std::optional<std::string_view> TagOfRow(const ScriptNode* row) {
  const std::optional<std::string_view> tag = row->FirstText();
  if (!tag) return std::string_view();
  if (!ScriptReader::IsPlainWord(*tag)) return std::nullopt;
  return tag;
}

void ReportRefusedRows(const ScriptNode& root, std::string_view shownName, StatusLog& log) {
  for (std::string_view table : {"tag_conversion_table", "mother_merge_table"}) {
    const ScriptNode* rows = root.FirstChild(table);
    if (!rows || rows->kind != kBlock) continue;
    for (int i = 0; i < rows->ItemCount(); ++i) {
      const ScriptNode* row = rows->ChildAt(i);
      if (TagOfRow(row)) continue;
      log.AddLine(std::string(shownName) + ", " + std::string(table) + ": row " +
                  std::string(row->name()) + " = \"" + std::string(row->TextAt(0)) +
                  "\" ignored: a country tag must be a plain word.");
    }
  }
}
