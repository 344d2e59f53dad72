// The program's name and version as its files and messages show them.
#pragma once

inline constexpr const char* kGeneratorText = "Quillmere - File Converter version 0.09";
inline constexpr const char* kMessageTitle = "Quillmere - File converter";
