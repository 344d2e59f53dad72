// The target game's province names file, found in its installation folder.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "refdata/province_names.h"

// The names file in an installation folder: the folder followed by
// "\Config\province_names.csv" on Windows, "/Config/province_names.csv" elsewhere.
std::string NamesFilePath(std::string_view folder);
// The bytes of the folder's names file; none without a folder, or when the
// file cannot be read or is not a regular file (a pipe, a device).
std::optional<std::string> ReadNamesFile(const std::optional<std::string>& folder);
// The names of the folder's names file; bare ids when it has none.
ProvinceNames ReadProvinceNames(const std::optional<std::string>& folder);
