#include "convert/scenario_header.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "convert/value_access.h"

namespace {

// A "playername" of the save: the node named so, or the list holding the word,
// with the node that holds it.
struct PlayerName {
  const ScriptNode* node;
  const ScriptNode* holder;
  bool word;
};

// The playernames within depth levels below node, in document order: names of
// block children, and words of text lists.
void CollectPlayerNames(const ScriptNode& node, const ScriptNode* holder, int depth,
                        std::vector<PlayerName>& found) {
  if (node.HoldsText()) {
    for (int i = 0; i < node.ItemCount(); ++i)
      if (node.TextAt(i) == "playername") found.push_back({&node, holder, true});
    return;
  }
  if (node.kind != kBlock) return;
  for (int i = 0; i < node.ItemCount(); ++i) {
    const ScriptNode* child = node.ChildAt(i);
    if (child->name() == "playername") found.push_back({child, &node, false});
    if (depth > 0) CollectPlayerNames(*child, &node, depth - 1, found);
  }
}

// Adds a block for a target tag unless the header has one.
void EnsureCountryEntry(ScriptNode* header, const std::string& target) {
  if (!header->FirstChild(target)) header->AddChild(target);
}

void FillSelectable(ScriptNode* selectable, ScriptNode* header, const ScriptNode& save,
                    const std::string& player, const TagTables& tags) {
  int selectableCount = 0;
  if (!player.empty()) {
    ++selectableCount;
    header->AddChild(player);
  }
  const ScriptNode* source = save.FirstWithin("selectable");
  if (!source || !source->HoldsText()) return;
  for (int i = 0; i < source->ItemCount(); ++i) {
    const std::string* converted = tags.FindTarget(std::string(source->TextAt(i)));
    if (!converted) continue;
    const std::string& target = *converted;
    selectable->AddString(kWords, target);
    if (selectableCount < 10 && target != player) {
      ++selectableCount;
      EnsureCountryEntry(header, target);
    }
  }
}

}  // namespace

std::string FindPlayerTag(const ScriptNode& save, const TagTables& tags) {
  std::vector<PlayerName> found;
  CollectPlayerNames(save, nullptr, 2, found);
  std::string sourceTag;
  for (const PlayerName& match : found) {
    sourceTag = std::string(match.holder->name());
    const std::optional<std::string_view> text = match.node->FirstText();
    if (match.word || !text) continue;
    std::string name(*text);
    name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
    if (!name.substr(name.rfind(':') == std::string::npos ? 0 : name.rfind(':') + 1).empty())
      break;
  }
  const std::string* converted = tags.FindTarget(sourceTag);
  return converted ? *converted : tags.MotherOf(sourceTag);
}

void WriteHeader(ScriptNode& scenario, const ScriptNode& save, const std::string& player,
                 const TagTables& tags) {
  ScriptNode* header = scenario.AddChild("header");
  AddTextValue(header, "name", "\"Grand Campaign\"");
  AddNumberValue(header->AddChild("startdate"), "year", 1936);
  ScriptNode* selectable = header->AddChild("selectable");
  FillSelectable(selectable, header, save, player, tags);

  ScriptNode* globaldata = scenario.AddChild("globaldata");
  for (auto [name, year] : {std::pair{"startdate", 1936}, std::pair{"enddate", 1949}}) {
    ScriptNode* date = globaldata->AddChild(name);
    AddNumberValue(date, "year", year);
    AddTextValue(date, "month", "january");
    AddNumberValue(date, "day", 0);
  }
}

void WriteEventIncludes(ScriptNode& scenario) {
  AddTextValue(&scenario, "include", "\"scenarios/1936/vp.inc\"");
  static constexpr const char* kEvents[] = {
      "\"db\\events\\RandomEvents.txt\"",       "\"db\\events\\secret_weapon_events.txt\"",
      "\"db\\events\\AI_capital_move.txt\"",    "\"db\\events\\AI_ministers.txt\"",
      "\"db\\events\\AI_sliders.txt\"",         "\"db\\events\\AI_Inherit_Chi.txt\"",
      "\"db\\events\\AI_minorshutinvasion.txt\"", "\"db\\events\\sc events.txt\"",
      "\"db\\events\\ml events.txt\"",          "\"db\\events\\sl events.txt\"",
      "\"db\\events\\sd events.txt\"",          "\"db\\events\\election_events.txt\"",
      "\"db\\events\\AI_switches.txt\""};
  for (const char* event : kEvents) AddTextValue(&scenario, "event", event);
}
