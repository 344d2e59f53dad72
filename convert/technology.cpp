#include "convert/technology.h"

#include <initializer_list>
#include <string_view>
#include <utility>
#include <vector>

#include "script/number_format.h"

namespace {

using Grants = std::vector<int32_t>;

void Grant(Grants& grants, std::initializer_list<int32_t> ids) {
  grants.insert(grants.end(), ids.begin(), ids.end());
}

TechCount CountTechnologies(const ScriptNode* source, const std::string& tag) {
  TechCount counts;
  counts.tag = tag;
  const ScriptNode* techapps = source->FirstWithin("techapps");
  if (!techapps || techapps->kind != kNumbers) return counts;
  for (int i = 0; i < techapps->ItemCount(); ++i) {
    const int32_t id = TruncateToInt32(techapps->NumberAt(i));
    if (id > 1000 && id < 2000) ++counts.c1000;
    else if (id > 2000 && id < 3000) ++counts.c2000;
    else if (id > 3000 && id < 4000) ++counts.c3000;
    else if (id > 4000 && id < 5000) ++counts.c4000;
    else ++counts.cOther;
  }
  return counts;
}

void GrantIndustry(Grants& g, const TechCount& c, const std::string& tag) {
  if (c.c1000 <= 20) return;
  Grant(g, {1200});
  if (c.c1000 > 24) Grant(g, {1020, 1210, 1220, 1110});
  if (c.cOther <= 20) return;
  Grant(g, {2300, 2450, 2010, 4010});
  if (c.cOther <= 22 || c.c1000 <= 22) return;
  Grant(g, {2310, 2460, 2020, 4120, 4020});
  if (c.cOther <= 24 || c.c1000 <= 24) return;
  Grant(g, {2320, 2400, 2450, 2030, 4130});
  if (tag != "SOV") Grant(g, {1310, 2460});
  if (tag == "ENG") Grant(g, {1150, 4220});
  if (tag == "GER") Grant(g, {4250});
}

void GrantArmy(Grants& g, const TechCount& c, const std::string& tag) {
  if (c.c2000 <= 18) return;
  Grant(g, {3010, 3070});
  if (c.c2000 <= 20) return;
  Grant(g, {3020, 3130, 3190, 3250, 3320, 3400});
  if (c.c2000 <= 22 || c.cOther <= 22) return;
  Grant(g, {3080, 3140, 3200, 3260, 3330, 3410});
  if (c.c2000 <= 24 || c.cOther <= 24) return;
  if (tag != "GER") Grant(g, {3030, 3340});
  Grant(g, {3090, 3150, 3210, 3270, 3420});
  if (tag == "GER" || tag == "JAP") Grant(g, {3100, 3280});
  if (tag == "JAP") Grant(g, {3430});
}

void GrantNavy(Grants& g, const TechCount& c, const std::string& tag) {
  if (c.cOther <= 20) return;
  Grant(g, {5010, 5080, 5190});
  if (tag == "SOV") return;
  Grant(g, {5310});
  if (c.cOther <= 22 || c.c3000 <= 22) return;
  Grant(g, {5020, 5090});
  if (c.cOther <= 24 || c.c3000 <= 24) return;
  Grant(g, {5470});
  if (tag == "GER") Grant(g, {5480, 5490, 5550});
  if (tag == "JAP") Grant(g, {5320, 5350});
  if (tag == "ENG") Grant(g, {5320, 5480});
}

// The major powers' grants once their industry and army technologies are far advanced.
const Grants* MajorPowerGrants(const std::string& tag) {
  static const std::pair<std::string_view, Grants> kRows[] = {
      {"GER", {6210, 6220, 6230, 6240, 6250, 8010, 8020, 8030, 8040, 8050, 8150, 8160, 8170,
               9010, 9020, 9030, 9040, 9050, 9090}},
      {"ENG", {6010, 6030, 6110, 6120, 8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 9140,
               8070, 8100, 8120}},
      {"FRA", {6010, 6030, 6110, 6120, 8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 9040,
               8070, 8100}},
      {"JAP", {6010, 6030, 6110, 6120, 8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 9040,
               8060, 8090, 8100, 8110}},
      {"USA", {8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 6010, 6020, 9140, 8060, 8090,
               8100}},
      {"SOV", {8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 6210, 6300, 9040, 8070}},
      {"ITA", {8010, 8020, 8030, 8040, 8050, 9010, 9020, 9030, 8070, 8120}},
  };
  for (const auto& [major, grants] : kRows)
    if (major == tag) return &grants;
  return nullptr;
}

void GrantBySum(Grants& g, const TechCount& c, const std::string& tag) {
  const int32_t sum = c.c1000 + c.c2000;
  const Grants* major = MajorPowerGrants(tag);
  if (major && sum > 48) {
    g.insert(g.end(), major->begin(), major->end());
    return;
  }
  if (sum > 40) Grant(g, {6010});
  if (sum > 43) Grant(g, {8010, 8020, 9010, 9020});
  if (sum > 46) Grant(g, {6030, 8030, 8040});
  if (sum > 48) Grant(g, {6110, 8050, 8070, 9030, 9140});
  if (sum > 49) Grant(g, {6120, 8100, 8120});
}

}  // namespace

TechCount ConvertTechnology(ScriptNode* target, const ScriptNode* source, const std::string& tag) {
  const TechCount counts = CountTechnologies(source, tag);

  Grants grants{1010, 1190, 2150, 2290};
  GrantIndustry(grants, counts, tag);
  GrantArmy(grants, counts, tag);
  GrantNavy(grants, counts, tag);
  GrantBySum(grants, counts, tag);

  ScriptNode* techapps = target->AddChild("techapps");
  for (int32_t id : grants) techapps->AddNumber(id);
  return counts;
}
