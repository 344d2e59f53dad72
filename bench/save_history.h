// The part of a save in the shape the games' own late saves have, which the
// rest of the generated save lacks: a country's history, with dates in quotes,
// numbers with three decimals nearly everywhere, thousands of distinct keys
// over the file (variables and flags named after the country), blocks nested
// ten deep and long lists of words.
#pragma once

#include <string_view>

#include "bench/save_random.h"
#include "bench/save_text.h"

// One entry of the history of the country tag: serial makes its keys its own.
void WriteHistoryEntry(SaveText& text, SaveRandom& random, std::string_view tag, int serial);
