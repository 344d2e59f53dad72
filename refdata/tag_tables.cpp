#include "refdata/tag_tables.h"

#include <optional>
#include <string_view>

#include "refdata/country_rows.h"

namespace {

void FillFrom(const ScriptNode* table, std::map<std::string, std::string>& map) {
  if (table->kind != kBlock) return;
  for (int i = 0; i < table->ItemCount(); ++i) {
    const ScriptNode* row = table->ChildAt(i);
    if (const std::optional<std::string_view> tag = TagOfRow(row))
      map[std::string(row->name())] = std::string(*tag);
  }
}

}  // namespace

void TagTables::Read(const ScriptFile& countriesFile) {
  const ScriptNode* tagTable = countriesFile.root().FirstChild("tag_conversion_table");
  const ScriptNode* mergeTable = countriesFile.root().FirstChild("mother_merge_table");
  tagMap_.clear();
  motherMap_.clear();
  hasTagTable_ = tagTable != nullptr;
  hasMergeTable_ = mergeTable != nullptr;
  if (tagTable) FillFrom(tagTable, tagMap_);
  if (mergeTable) FillFrom(mergeTable, motherMap_);
}

const std::string* TagTables::FindTarget(const std::string& sourceTag) const {
  const auto found = tagMap_.find(sourceTag);
  return found == tagMap_.end() ? nullptr : &found->second;
}

const std::string& TagTables::ConvertTag(const std::string& sourceTag) const {
  const std::string& mother = MotherOf(sourceTag);
  return mother.empty() ? TargetOf(sourceTag) : mother;
}

const std::string& TagTables::Lookup(const std::map<std::string, std::string>& map,
                                     const std::string& key) {
  static const std::string kNone;
  const auto found = map.find(key);
  return found == map.end() ? kNone : found->second;
}
