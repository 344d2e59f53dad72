// The target game's own province names, used to label the provinces that the
// user places by hand.
//
// The names file is "Config/province_names.csv" in the game's installation
// folder: one line per province, fields separated by ";", the first field
// "PROV" followed by the id, the second the name. Lines are read byte by byte
// up to a line feed (a carriage return before it is dropped); text after the
// last line feed, or after a zero byte, is not a line. The first line with the
// key wins; an id without a line is named by its key ("PROV12"). When the file
// cannot be read, labels are bare ids.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The names file in an installation folder: the folder followed by
// "\Config\province_names.csv" on Windows, "/Config/province_names.csv" elsewhere.
std::string NamesFilePath(std::string_view folder);

// The name lines of a file in file order, or none when it cannot be opened.
std::optional<std::vector<std::string>> LoadNameLines(const std::string& path);

// The name of province id: the second field of the first line whose first
// field is "PROV<id>"; the key itself when no line has it.
std::string LookupProvinceName(int32_t id, const std::vector<std::string>& lines);

class ProvinceNames {
 public:
  // No names: every label is the bare id.
  ProvinceNames() = default;
  explicit ProvinceNames(std::vector<std::string> lines);
  // The names of the installation folder, or none when there is no folder or
  // its names file cannot be read.
  static ProvinceNames FromFolder(const std::optional<std::string>& folder);

  bool loaded() const { return loaded_; }
  // "%d, %s" with the id and its name when names are loaded, else "%d".
  std::string Label(int32_t id) const;

 private:
  bool loaded_ = false;
  std::vector<std::string> lines_;
};
