// The values of a save that the conversion passes over for being of the wrong
// kind (a word where it reads a number, a list of numbers where it reads a
// word), each with its key and where it stands: the country (by tag) or the
// province (by id), so that a modder can find a malformed save. Only the keys
// the conversion reads are looked at, where it reads them: a country's own
// entries, its units and their divisions, its states and their factories, and
// a province's own entries.
#pragma once

#include <string>
#include <vector>

#include "script/script_node.h"

struct WrongKind {
  std::string key;
  std::string where;  // "country ENG", "province 550"
};

std::vector<WrongKind> FindWrongKinds(const ScriptNode& save);
