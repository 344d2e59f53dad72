#include "bench/save_history.h"

#include <string>
#include <vector>

#include "bench/save_vocabulary.h"

namespace {

constexpr int kVariables = 12;
constexpr int kNestingDepth = 10;
constexpr size_t kListWords = 120;
constexpr int kDistinctPerCountry = 40;  // variable names of one country

int64_t Thousandths(SaveRandom& random) { return random.Between(-20000, 900000); }

void WriteDate(SaveText& text, SaveRandom& random, std::string_view key) {
  const int year = 1836 + static_cast<int>(random.Below(90));
  const int month = 1 + static_cast<int>(random.Below(12));
  const int day = 1 + static_cast<int>(random.Below(28));
  text.Date(key, year, month, day);
}

// Scopes within scopes, each with a value and a date of its own.
void WriteNestedScopes(SaveText& text, SaveRandom& random, int depth) {
  static constexpr std::string_view kScopes[] = {"root", "from", "this", "prev", "owner"};
  text.Open(kScopes[random.Below(5)]);
  text.Fixed("value", Thousandths(random));
  WriteDate(text, random, "changed");
  if (depth > 1) WriteNestedScopes(text, random, depth - 1);
  text.Fixed("factor", Thousandths(random));
  text.Close();
}

}  // namespace

void WriteHistoryEntry(SaveText& text, SaveRandom& random, std::string_view tag, int serial) {
  text.Open("history");
  WriteDate(text, random, "date");
  text.Open("variables");
  for (int i = 0; i < kVariables; ++i) {
    const int name = (serial * kVariables + i) % kDistinctPerCountry;
    text.Fixed("var_" + std::string(tag) + "_" + std::to_string(name), Thousandths(random));
  }
  text.Close();
  WriteNestedScopes(text, random, kNestingDepth);
  std::vector<std::string_view> words;
  for (size_t i = 0; i < kListWords; ++i)
    words.push_back(i % 2 ? vocabulary::Pick(vocabulary::kGoods, random)
                          : vocabulary::Pick(vocabulary::kCultures, random));
  text.WordList("traded", words);
  text.Quoted("flag", "flag_" + std::string(tag) + "_" + std::to_string(serial % 25));
  text.Close();
}
