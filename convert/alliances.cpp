#include "convert/alliances.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert/value_access.h"

namespace {

struct Bounds {
  int32_t democratic;
  int32_t politicalLeft;
  int32_t score;
};

enum class Alliance { kAllies, kAxis, kComintern };

bool Qualifies(Alliance alliance, const CountryAlignment& record, const Bounds& b) {
  switch (alliance) {
    case Alliance::kAllies:
      return record.tag != "USA" && record.democratic >= b.democratic && record.score > b.score;
    case Alliance::kAxis:
      return record.democratic <= b.democratic && record.politicalLeft <= b.politicalLeft &&
             record.score > b.score;
    case Alliance::kComintern:
      return record.democratic <= b.democratic && record.politicalLeft >= b.politicalLeft &&
             record.score > b.score;
  }
  return false;
}

// The last record that qualifies against the bounds set by the one before it.
std::optional<size_t> SelectLeader(const std::vector<CountryAlignment>& records,
                                   Alliance alliance, Bounds bounds) {
  std::optional<size_t> leader;
  for (size_t i = 0; i < records.size(); ++i) {
    const CountryAlignment& record = records[i];
    if (!Qualifies(alliance, record, bounds)) continue;
    leader = i;
    bounds = {record.democratic, record.politicalLeft, record.score};
  }
  return leader;
}

AllianceMembers WriteAlliance(ScriptNode* globaldata, std::string_view name, const std::string& leader,
                              int32_t number, const std::vector<SubjectLink>& subjects) {
  AllianceMembers members{std::string(name), leader, {leader}};
  ScriptNode* alliance = globaldata->AddChild(name);
  ScriptNode* id = alliance->AddChild("id");
  AddNumberValue(id, "type", 15000);
  AddNumberValue(id, "id", number);
  ScriptNode* participant = alliance->AddChild("participant");
  participant->AddString(kWords, leader);
  for (const SubjectLink& link : subjects) {
    if (link.overlord != leader) continue;
    participant->AddString(kWords, link.subject);
    members.members.push_back(link.subject);
  }
  return members;
}

}  // namespace

std::vector<AllianceMembers> ConvertAlliances(ScriptNode& scenario, CountryProfiles& countries) {
  std::vector<AllianceMembers> written;
  ScriptNode* globaldata = scenario.FirstChild("globaldata");
  if (!globaldata) return written;
  struct Choice {
    const char* name;
    Alliance alliance;
    Bounds start;
    int32_t number;
  };
  static constexpr Choice kChoices[] = {{"allies", Alliance::kAllies, {1, 0, 1}, 1},
                                        {"axis", Alliance::kAxis, {10, 10, 15}, 2},
                                        {"comintern", Alliance::kComintern, {10, 1, 15}, 3}};
  for (const Choice& choice : kChoices) {
    // An alliance that no country qualifies for is left out: it would have no leader.
    std::optional<size_t> leader = SelectLeader(countries.alignments, choice.alliance, choice.start);
    if (!leader) continue;
    const std::string tag = countries.alignments[*leader].tag;
    countries.EraseAlignment(*leader);
    written.push_back(WriteAlliance(globaldata, choice.name, tag, choice.number, countries.subjects));
  }
  return written;
}
