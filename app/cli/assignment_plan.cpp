#include "app/cli/assignment_plan.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <fstream>

#include "script/number_format.h"
#include "app/files/script_file_io.h"
#include "script/script_file.h"

namespace {

// A word of the plan as written, with the line an editor shows it on.
struct PlanWord {
  std::string text;
  uint32_t line;
};

bool EndsWord(int c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '{' || c == '}' || c == '=' || c == '"' ||
         c == '#';
}

// Whether a word that starts like a number is a whole number: digits, after an
// optional minus sign.
bool IsWholeNumber(const std::string& text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool IsBrokenNumber(const std::string& word) {
  if (word.empty()) return false;
  const char first = word.front();
  return (first == '-' || first == '+' || first == '.' || (first >= '0' && first <= '9')) && !IsWholeNumber(word);
}

// The first word that starts like a number and is not a whole one; comments
// and quoted texts (which end with their line, as the reader's do) are passed over.
std::optional<PlanWord> FirstBrokenNumber(std::istream& in) {
  PlanWord word{{}, 1};
  uint32_t line = 1;
  bool comment = false, quoted = false;
  for (int c = in.get();; c = in.get()) {
    if (c != EOF && !comment && !quoted && !EndsWord(c)) {
      if (word.text.empty()) word.line = line;
      word.text.push_back(static_cast<char>(c));
      continue;
    }
    if (IsBrokenNumber(word.text)) return word;
    word.text.clear();
    if (c == EOF) return std::nullopt;
    if (c == '\n' || (c == '\r' && in.peek() != '\n')) {
      ++line;
      comment = quoted = false;
    } else if (c == '"' && !comment) {
      quoted = !quoted;
    } else if (c == '#' && !quoted) {
      comment = true;
    }
  }
}

void SayNotEntries(const std::string& path, const LineCollector& loading) {
  for (const std::string& line : loading.lines) std::fprintf(stderr, "%s\n", line.c_str());
  std::fprintf(stderr, "The plan %s is not made of entries like ENG = { 550 551 }.\n", path.c_str());
}

// An entry as it is carried out; nothing, after saying why, when it cannot be.
std::optional<PlanEntry> EntryOf(const std::string& path, const ScriptFile& plan, const ScriptNode* entry) {
  const std::string tag(entry->name());
  if (entry->kind != kNumbers && entry->kind != kUntyped) {
    std::fprintf(stderr, "The plan %s: the entry %s must list province ids, as in %s = { 550 551 }.\n",
                 path.c_str(), tag.c_str(), tag.c_str());
    return std::nullopt;
  }
  if (entry->parseState != kComplete) {
    std::fprintf(stderr, "The plan %s, line %u: the entry %s is not closed with }.\n", path.c_str(),
                 plan.LineOf(entry), tag.c_str());
    return std::nullopt;
  }
  PlanEntry read{tag, {}};
  for (int k = 0; k < entry->ItemCount(); ++k) read.ids.push_back(TruncateToInt32(entry->NumberAt(k)));
  return read;
}

}  // namespace

std::optional<std::vector<PlanEntry>> ReadPlan(const std::string& path) {
  // The plan is no part of the conversion's report: its reader's lines are shown only
  // when it cannot be used.
  ScriptFile plan;
  plan.KeepLines();
  LineCollector loading;
  const bool loaded = LoadScriptFile(plan, path, path, loading) == ScriptFile::LoadResult::kLoaded;
  const ScriptNode& root = plan.root();
  if (!loaded || (root.kind != kBlock && root.ItemCount() > 0)) {
    SayNotEntries(path, loading);
    return std::nullopt;
  }
  std::ifstream text(path, std::ios::binary);
  if (!text) {
    SayNotEntries(path, loading);
    return std::nullopt;
  }
  if (const std::optional<PlanWord> broken = FirstBrokenNumber(text)) {
    std::fprintf(stderr, "The plan %s, line %u: %s is not a province id (a whole number).\n", path.c_str(),
                 broken->line, broken->text.c_str());
    return std::nullopt;
  }
  std::vector<PlanEntry> entries;
  for (int i = 0; root.kind == kBlock && i < root.ItemCount(); ++i) {
    std::optional<PlanEntry> entry = EntryOf(path, plan, root.ChildAt(i));
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  return entries;
}
