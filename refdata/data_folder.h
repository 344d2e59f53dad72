// Where the program finds its Data folder.
//
// The folder given by the user wins; otherwise "Data" in the working directory
// when it exists there, else the Data folder beside the executable (an
// installed program works from any folder), else "Data" (whose files will then
// be reported missing).
#pragma once

#include <string>
#include <string_view>

std::string FindDataFolder(const std::string& given, const std::string& executablePath);

// The path of a file of the Data folder, with the system's separator.
std::string DataFilePath(const std::string& folder, std::string_view file);
