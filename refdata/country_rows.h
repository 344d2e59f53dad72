// The rows of Countries.txt's two tables, SOURCE = TARGET.
//
// A row's tag is its first text; a row without text gives the empty tag (the
// source country has no tag of its own). A tag that is not a plain word, such
// as a quoted text with spaces or braces, could not be read back from a
// scenario, so its row is refused: it counts as if it were not there (and the
// data checks report it, so that start-up stops before it matters).
#pragma once

#include <optional>
#include <string_view>

#include "script/script_node.h"

// The tag of a row; nothing when the row is refused.
std::optional<std::string_view> TagOfRow(const ScriptNode* row);
