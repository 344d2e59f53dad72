// Script files on disk: a file loaded as it is read, block by block, a tree saved into a
// file that takes the path's place only once it is complete (ReplacingFile).
#pragma once

#include <string>
#include <string_view>

#include "script/script_file.h"

// The loading line, then the file read into the tree; kUnreadable, after a
// status line ("Could not open PATH for input", "File input error at N
// bytes."), when it cannot be read to its end (the tree is then empty).
ScriptFile::LoadResult LoadScriptFile(ScriptFile& file, const std::string& path, std::string_view shownName,
                                      StatusLog& log);
// LoadScriptFile without the loading line.
ScriptFile::LoadResult ReadScriptFile(ScriptFile& file, const std::string& path, StatusLog& log);
// False, after saying so in the log, when the path cannot be replaced or the
// file cannot be created or written; an existing file at the path then stays
// as it was.
bool SaveScriptFile(const ScriptFile& file, const std::string& path, std::string_view generator, StatusLog& log);
