// Diplomacy: a country's opinions of other countries, under the partners'
// target tags. A relation is dropped when the partner has no target tag, or
// when the partner's mother country is already named in the target country.
#include "convert/scenario_converter.h"
#include "script/number_format.h"

void ScenarioConverter::ConvertDiplomacy(ScriptNode* target, const ScriptNode* source) {
  std::vector<ScriptMatch> relations;
  source->FindAll("relation", &relations, ScriptNode::kUnlimited, 0);
  if (relations.empty()) return;
  ScriptNode* diplomacy = target->AddChild("diplomacy", 3);
  std::vector<ScriptMatch> named;
  for (const ScriptMatch& relation : relations) {
    if (relation.index >= 0) continue;  // the word "relation" in some list
    const std::string partner(TextValueOf(relation.node, "tag"));
    const int32_t value = TruncateToInt32(NumberValueOf(relation.node, "value", 0));
    named.clear();
    target->FindAll(motherMap[partner], &named, ScriptNode::kUnlimited, 0);
    if (!named.empty()) continue;
    const std::string& partnerTarget = tagMap[partner];
    if (partnerTarget.empty()) continue;
    ScriptNode* written = diplomacy->AddChild("relation", 3);
    AddTextValue(written, "tag", partnerTarget);
    AddNumberValue(written, "value", value);
  }
}
