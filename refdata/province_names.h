// The target game's own province names, used to label the provinces that the
// user places by hand.
//
// The names file is "Config/province_names.csv" in the game's installation
// folder: one line per province, fields separated by ";", the first field
// "PROV" followed by the id, the second the name. Lines are read byte by byte
// up to a line feed (a carriage return before it is dropped); text after the
// last line feed, or after a zero byte, is not a line. The first line with the
// key wins; an id without a line is named by its key ("PROV12"). Without the
// file's bytes (a front end could not read it), labels are bare ids.
//
// The names are kept by id as the lines are read: only lines whose key is that
// of some id ("PROV" and the id as std::to_string writes it) are kept.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

#include "refdata/province_map.h"

class ProvinceNames {
 public:
  // No names: every label is the bare id.
  ProvinceNames() = default;
  // The names of a names file's bytes.
  static ProvinceNames FromBytes(std::string_view bytes);

  // "%d, %s" with the id and its name when names are loaded, else "%d". The
  // name is the second field of the first line whose first field is
  // "PROV<id>" (empty when the line has one field); the key itself when no
  // line has it.
  std::string Label(ProvinceId id) const;

 private:
  void AddLine(std::string_view line);
  std::string Name(ProvinceId id) const;

  bool loaded_ = false;
  std::unordered_map<ProvinceId, std::string> names_;
};
