#include "convert/diplomacy.h"

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "convert/value_access.h"
#include "script/number_format.h"

namespace {

// Every name and word within a node that FindAll at unlimited depth would match:
// the names of the blocks' children and the texts of word and quoted lists.
void CollectNamesAndWords(const ScriptNode* node, std::unordered_set<std::string_view>& named) {
  if (node->HoldsText()) {
    for (int i = 0; i < node->ItemCount(); ++i) named.insert(node->TextAt(i));
    return;
  }
  if (node->kind != kBlock) return;
  for (int i = 0; i < node->ItemCount(); ++i) {
    const ScriptNode* child = node->ChildAt(i);
    named.insert(child->name());
    CollectNamesAndWords(child, named);
  }
}

}  // namespace

void ConvertDiplomacy(ScriptNode* target, const ScriptNode* source, const TagTables& tags) {
  std::vector<ScriptMatch> relations;
  source->FindAll("relation", &relations, ScriptNode::kUnlimited);
  if (relations.empty()) return;
  ScriptNode* diplomacy = target->AddChild("diplomacy");
  // What the target country names, kept up to date as relations are written;
  // the views point into the tree, which keeps its texts.
  std::unordered_set<std::string_view> named;
  CollectNamesAndWords(target, named);
  for (const ScriptMatch& relation : relations) {
    if (relation.index >= 0) continue;  // the word "relation" in some list
    const std::string partner(relation.node->TextOf("tag"));
    const int32_t value = TruncateToInt32(relation.node->NumberWithin("value", 0));
    if (named.count(tags.MotherOf(partner))) continue;
    const std::string& partnerTarget = tags.TargetOf(partner);
    if (partnerTarget.empty()) continue;
    ScriptNode* written = diplomacy->AddChild("relation");
    AddTextValue(written, "tag", partnerTarget);
    AddNumberValue(written, "value", value);
    CollectNamesAndWords(written, named);
    named.insert(written->name());
  }
}
