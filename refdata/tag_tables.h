// The country tags of Countries.txt. tag_conversion_table gives a source
// country its target tag; mother_merge_table gives a source country that has
// none the target country it merges into. A row the file refuses (see
// country_rows.h) counts as absent. They are read once, with the reference
// data; a table that is not there is remembered, for each conversion to refuse
// to start.
#pragma once

#include <map>
#include <string>

#include "script/script_file.h"

class TagTables {
 public:
  // Reads both tables of Countries.txt.
  void Read(const ScriptFile& countriesFile);
  // Whether Countries.txt has a tag_conversion_table, and a mother_merge_table.
  bool HasTagTable() const { return hasTagTable_; }
  bool HasMergeTable() const { return hasMergeTable_; }

  // The target tag of a source tag's row (which may be empty); null without a row.
  const std::string* FindTarget(const std::string& sourceTag) const;
  // The target tag of a source tag; empty when the table has none.
  const std::string& TargetOf(const std::string& sourceTag) const { return Lookup(tagMap_, sourceTag); }
  // The target country a source country merges into; empty when none.
  const std::string& MotherOf(const std::string& sourceTag) const { return Lookup(motherMap_, sourceTag); }
  // Where a source country ends up: its mother country, or else its target tag.
  const std::string& ConvertTag(const std::string& sourceTag) const;

  bool operator==(const TagTables&) const = default;

 private:
  static const std::string& Lookup(const std::map<std::string, std::string>& map,
                                   const std::string& key);

  std::map<std::string, std::string> tagMap_;
  std::map<std::string, std::string> motherMap_;
  bool hasTagTable_ = false;
  bool hasMergeTable_ = false;
};
