// The program's name and version as its files and messages show them.
#pragma once

// QUILLMERE_VERSION comes from the build, which keeps the one version number.
inline constexpr const char* kVersion = QUILLMERE_VERSION;
inline constexpr const char* kGeneratorText = "Quillmere - File Converter version " QUILLMERE_VERSION;
inline constexpr const char* kMessageTitle = "Quillmere - File converter";
