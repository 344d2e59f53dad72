// Reading a file whole into memory: a regular file, a pipe or a device alike.
#pragma once

#include <optional>
#include <string>

#include "script/status_log.h"

// The bytes of the file at path; nothing, after a line in the log ("Could not
// open PATH for input", or the byte count at which reading failed), when it
// cannot be read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path, StatusLog& log);
