// Script files on disk: a file read whole and then loaded, a tree saved into a
// file that takes the path's place only once it is complete (ReplacingFile).
#pragma once

#include <string>
#include <string_view>

#include "script/script_file.h"

// ScriptFile::LoadBuffer of the file's bytes; kUnreadable, after a status line,
// when it cannot be read to its end (the tree is then empty).
ScriptFile::LoadResult LoadScriptFile(ScriptFile& file, const std::string& path, std::string_view shownName,
                                      StatusLog& log);
// False, after saying so in the log, when the path cannot be replaced or the
// file cannot be created or written; an existing file at the path then stays
// as it was.
bool SaveScriptFile(const ScriptFile& file, const std::string& path, std::string_view generator, StatusLog& log);
