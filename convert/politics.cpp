#include "convert/politics.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

#include "convert/value_access.h"

namespace {

// One row of a slider's table: when the input equals text, either set the
// slider to value or add value to it.
struct Rule {
  std::string_view text;
  int32_t value;
  bool set;
};

struct PoliticalTexts {
  std::string_view government, nationalValue, executive, parties, unions, press, voting,
      partySystem;
};

int32_t Apply(int32_t slider, std::string_view input, std::initializer_list<Rule> rules) {
  for (const Rule& rule : rules)
    if (rule.text == input) return rule.set ? rule.value : slider + rule.value;
  return slider;
}

int32_t Clamp(int32_t slider) { return std::clamp(slider, 1, 10); }

int32_t Democratic(const PoliticalTexts& t) {
  int32_t v = Apply(5, t.government,
                    {{"monarchy", 1, true}, {"constitutional_monarchy", 8, true},
                     {"democracy", 9, true}, {"presidential_dictatorship", -1, true},
                     {"proletarian_dictatorship", -1, true}});
  v = Apply(v, t.nationalValue, {{"liberty", 1, false}, {"order", -2, false}});
  v = Apply(v, t.executive, {{"parliamentarism", 2, false}, {"laws_by_decree", -2, false}});
  v = Apply(v, t.parties,
            {{"none_allowed", -3, false}, {"right_to_ban", -1, false}, {"all_allowed", 2, false}});
  v = Apply(v, t.partySystem,
            {{"multi_party", 2, false}, {"two_party", 1, false}, {"one_party", -2, false}});
  return Clamp(v);
}

int32_t PoliticalLeft(const PoliticalTexts& t) {
  int32_t v = Apply(5, t.government,
                    {{"monarchy", 5, true}, {"constitutional_monarchy", 3, true},
                     {"democracy", 4, true}, {"presidential_dictatorship", 3, true},
                     {"proletarian_dictatorship", 11, true}});
  v = Apply(v, t.nationalValue, {{"equality", 2, false}});
  v = Apply(v, t.parties,
            {{"none_allowed", -2, false}, {"right_to_ban", -1, false}, {"all_allowed", 1, false}});
  v = Apply(v, t.unions,
            {{"non_socialist", -1, false}, {"socialist", 2, false}, {"all", 1, false},
             {"none", -2, false}});
  return Clamp(v);
}

int32_t Freedom(const PoliticalTexts& t) {
  int32_t v = Apply(5, t.government,
                    {{"monarchy", 2, true}, {"democracy", 6, true},
                     {"presidential_dictatorship", 1, true}, {"proletarian_dictatorship", 1, true}});
  v = Apply(v, t.nationalValue, {{"liberty", 2, false}, {"equality", 1, false}, {"order", -2, false}});
  v = Apply(v, t.voting,
            {{"none", -3, false}, {"landed", 1, false}, {"wealth", 2, false}, {"suffrage", 3, false}});
  v = Apply(v, t.partySystem, {{"multi_party", 2, false}, {"one_party", -2, false}});
  return Clamp(v);
}

int32_t FreeMarket(const PoliticalTexts& t) {
  int32_t v = Apply(5, t.government,
                    {{"democracy", 8, true}, {"constitutional_monarchy", 7, true},
                     {"proletarian_dictatorship", 0, true}});
  v = Apply(v, t.press, {{"state_press", -2, false}, {"free_press", 2, false}});
  return Clamp(v);
}

// Infamy bands; the bounds 10, 20 and 40 themselves belong to no band.
enum class Infamy { kLow, kMiddle, kHigh, kVeryHigh, kBoundary };

Infamy InfamyBand(double badboy) {
  if (badboy < 10) return Infamy::kLow;
  if (badboy > 10 && badboy < 20) return Infamy::kMiddle;
  if (badboy > 20 && badboy < 40) return Infamy::kHigh;
  if (badboy > 40) return Infamy::kVeryHigh;
  return Infamy::kBoundary;
}

int32_t ProfessionalArmy(const PoliticalTexts& t, Infamy infamy) {
  int32_t v = Apply(5, t.government,
                    {{"monarchy", 7, true}, {"constitutional_monarchy", 3, true},
                     {"democracy", 2, true}, {"proletarian_dictatorship", 6, true}});
  static constexpr int32_t kChange[] = {1, 0, -1, -2, 0};
  return Clamp(v + kChange[static_cast<int>(infamy)]);
}

int32_t DefenseLobby(Infamy infamy) {
  switch (infamy) {
    case Infamy::kLow: return 3;
    case Infamy::kMiddle: return 7;
    case Infamy::kHigh: return 8;
    case Infamy::kVeryHigh: return 9;
    default: return 5;
  }
}

int32_t Interventionism(const PoliticalTexts& t, Infamy infamy) {
  int32_t v = Apply(5, t.government,
                    {{"monarchy", 6, true}, {"constitutional_monarchy", 8, true},
                     {"democracy", 9, true}, {"presidential_dictatorship", 3, true},
                     {"proletarian_dictatorship", 3, true}});
  static constexpr int32_t kChange[] = {2, 1, -1, -2, 0};
  return Clamp(v + kChange[static_cast<int>(infamy)]);
}

}  // namespace

CountryAlignment ConvertPolitics(ScriptNode* target, const ScriptNode* source, const std::string& tag) {
  const PoliticalTexts texts{
      source->TextOf("government"),            source->TextOf("national_value"),
      source->TextOf("executive_designation"), source->TextOf("political_parties"),
      source->TextOf("trade_unions"),          source->TextOf("press_rights"),
      source->TextOf("voting_rights"),         source->TextOf("party_system")};
  const double badboy = source->NumberWithin("badboy", 0);
  const Infamy infamy = InfamyBand(badboy);

  const std::pair<const char*, int32_t> sliders[] = {
      {"democratic", Democratic(texts)},
      {"political_left", PoliticalLeft(texts)},
      {"freedom", Freedom(texts)},
      {"free_market", FreeMarket(texts)},
      {"professional_army", ProfessionalArmy(texts, infamy)},
      {"defense_lobby", DefenseLobby(infamy)},
      {"interventionism", Interventionism(texts, infamy)}};
  ScriptNode* policy = target->AddChild("policy");
  ScriptNode* date = policy->AddChild("date");
  AddNumberValue(date, "year", 0);
  AddTextValue(date, "month", "january");
  AddNumberValue(date, "day", 0);
  for (const auto& [name, value] : sliders) AddNumberValue(policy, name, value);
  AddNumberValue(target, "belligerence", badboy);
  return CountryAlignment{tag, sliders[0].second, sliders[1].second, 0};
}
