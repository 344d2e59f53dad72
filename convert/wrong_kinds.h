// The values of a save that the conversion passes over for being of the wrong
// kind (a word where it reads a number, a list of numbers where it reads a
// word), each with its key and where it stands: the country (by tag) or the
// province (by id), so that a modder can find a malformed save. Only the keys
// the conversion reads are looked at, where it reads them: a country's own
// entries, its units and their divisions, its states and their factories, and
// a province's own entries. They are counted per key and place: a save full of
// them costs a record per key read, not one per value.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "script/script_node.h"

// The values of one key that are of the wrong kind: how many the save holds,
// and the first places they stand in, each with how many stand there.
struct WrongKind {
  struct Place {
    std::string where;  // "country ENG", "province 550"
    uint64_t count = 0;
  };
  std::string key;
  uint64_t count = 0;
  std::vector<Place> places;  // at most kWrongKindPlaces, in the order of the save
};

inline constexpr size_t kWrongKindPlaces = 5;

// One record per key, in the order the save first has one of the wrong kind.
std::vector<WrongKind> FindWrongKinds(const ScriptNode& save);
