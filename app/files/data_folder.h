// Where the program finds its Data folder.
//
// The folder given by the user wins; otherwise "Data" in the working directory
// when it exists there, else the Data folder beside the executable (a program
// run from its build folder or unpacked anywhere), else share/quillmere/Data
// beside the executable's folder (a program installed under any prefix), else
// "Data" (whose files will then be reported missing).
#pragma once

#include <string>
#include <string_view>

std::string FindDataFolder(const std::string& given, const std::string& executablePath);

// The path of a file of the Data folder, with the system's separator (on
// Windows the folder's own, when its name has slashes only).
std::string DataFilePath(const std::string& folder, std::string_view file);
