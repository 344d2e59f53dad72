#include "app/core/assignment_plan.h"

#include <charconv>
#include <cstdint>

#include "app/core/joined.h"
#include "script/escaped_text.h"
#include "script/number_format.h"
#include "script/script_file.h"

namespace {

// A word of the plan as written, with the line an editor shows it on.
struct PlanWord {
  std::string text;
  uint32_t line;
};

bool EndsWord(char c) {
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
std::optional<PlanWord> FirstBrokenNumber(std::string_view text) {
  PlanWord word{{}, 1};
  uint32_t line = 1;
  bool comment = false, quoted = false;
  for (size_t at = 0;; ++at) {
    const bool end = at == text.size();
    const char c = end ? '\n' : text[at];
    if (!end && !comment && !quoted && !EndsWord(c)) {
      if (word.text.empty()) word.line = line;
      word.text.push_back(c);
      continue;
    }
    if (IsBrokenNumber(word.text)) return word;
    word.text.clear();
    if (end) return std::nullopt;
    if (c == '\n' || (c == '\r' && (at + 1 == text.size() || text[at + 1] != '\n'))) {
      ++line;
      comment = quoted = false;
    } else if (c == '"' && !comment) {
      quoted = !quoted;
    } else if (c == '#' && !quoted) {
      comment = true;
    }
  }
}

void SayNotEntries(const std::string& name, const LineCollector& loading, StatusLog& messages) {
  for (const std::string& line : loading.lines) messages.AddLine(line);
  messages.AddLine("The plan " + name + " is not made of entries like ENG = { 550 551 }.");
}

// An entry as it is carried out; nothing, after saying why, when it cannot be.
std::optional<PlanEntry> EntryOf(const std::string& name, const ScriptFile& plan, const ScriptNode* entry,
                                 StatusLog& messages) {
  const std::string tag(entry->name());
  if (entry->kind != kNumbers && entry->kind != kUntyped) {
    messages.AddLine("The plan " + name + ": the entry " + tag + " must list province ids, as in " + tag +
                     " = { 550 551 }.");
    return std::nullopt;
  }
  if (entry->parseState != kComplete) {
    messages.AddLine("The plan " + name + ", line " + std::to_string(plan.LineOf(entry)) + ": the entry " + tag +
                     " is not closed with }.");
    return std::nullopt;
  }
  PlanEntry read{tag, {}};
  for (int k = 0; k < entry->ItemCount(); ++k) read.ids.push_back(TruncateToInt32(entry->NumberAt(k)));
  return read;
}

std::string EntryLine(const std::string& tag, const std::vector<ProvinceId>& ids) {
  return tag + (ids.empty() ? " = { }\n" : " = { " + JoinedIds(ids, " ") + " }\n");
}

}  // namespace

std::optional<std::vector<PlanEntry>> ReadPlan(const std::optional<std::string_view>& bytes,
                                               const std::string& name, StatusLog& messages) {
  // The plan is no part of the conversion's report: its reader's lines are shown only
  // when it cannot be used.
  ScriptFile plan;
  plan.KeepLines();
  LineCollector loading;
  if (!bytes) {
    loading.AddLine(ScriptFile::LoadingLine(name));
    loading.AddLine("Could not open " + name + " for input");
  }
  const bool loaded = bytes && plan.LoadBuffer(*bytes, name, loading) == ScriptFile::LoadResult::kLoaded;
  const ScriptNode& root = plan.root();
  if (!loaded || (root.kind != kBlock && root.ItemCount() > 0)) {
    SayNotEntries(name, loading, messages);
    return std::nullopt;
  }
  if (const std::optional<PlanWord> broken = FirstBrokenNumber(*bytes)) {
    messages.AddLine("The plan " + name + ", line " + std::to_string(broken->line) + ": " + broken->text +
                     " is not a province id (a whole number).");
    return std::nullopt;
  }
  std::vector<PlanEntry> entries;
  for (int i = 0; root.kind == kBlock && i < root.ItemCount(); ++i) {
    std::optional<PlanEntry> entry = EntryOf(name, plan, root.ChildAt(i), messages);
    if (!entry) return std::nullopt;
    entries.push_back(std::move(*entry));
  }
  return entries;
}

std::string PlanText(const PlanToWrite& plan) {
  std::string text = "# Plan: move each province id into the braces of the country that receives it.\n";
  text += "# Offered countries: " + Joined(plan.offered, " ") + "\n";
  text += "# Provinces without an owner:\n";
  for (const std::string& label : plan.unplacedLabels) text += "#   " + EscapeControlCharacters(label) + "\n";
  for (const PlanEntry& entry : plan.entries) text += EntryLine(entry.tag, entry.ids);
  for (const std::string& tag : plan.offered) {
    bool given = false;
    for (const PlanEntry& entry : plan.entries) given |= entry.tag == tag;
    if (!given) text += EntryLine(tag, {});
  }
  return text;
}
