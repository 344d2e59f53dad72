// Lists as the command line prints them: words, or province ids, joined by a
// separator (" " in messages, ", " in reports).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "refdata/province_map.h"

std::string Joined(const std::vector<std::string>& words, std::string_view separator);
std::string JoinedIds(const std::vector<ProvinceId>& ids, std::string_view separator);
