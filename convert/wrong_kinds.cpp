#include "convert/wrong_kinds.h"

#include <algorithm>
#include <string_view>

namespace {

// A key the conversion reads, and whether it reads a number (else a word).
struct ReadKey {
  std::string_view key;
  bool number;
};

constexpr ReadKey kCountryKeys[] = {
    {"tag", false},           {"government", false},    {"national_value", false},
    {"executive_designation", false}, {"political_parties", false}, {"trade_unions", false},
    {"press_rights", false},  {"voting_rights", false}, {"party_system", false},
    {"dominion", false},      {"satellite", false},     {"badboy", true},
    {"capital", true},        {"manpower", true},       {"mobilization", true},
    {"clipper_convoy", true}, {"steamer_convoy", true}, {"ownedprovinces", true},
    {"nationalprovinces", true}, {"techapps", true}};
constexpr ReadKey kUnitKeys[] = {{"location", true}, {"name", false}};
constexpr ReadKey kDivisionKeys[] = {{"type", false}, {"quality", false}, {"extra", false}, {"name", false}};
constexpr ReadKey kFactoryKeys[] = {{"type", false}, {"level", true}};
constexpr ReadKey kProvinceKeys[] = {{"id", true}, {"railroad_level", true}, {"claimant", false}};

// Counts one more value of key at where.
void Count(std::string_view key, const std::string& where, std::vector<WrongKind>& found) {
  auto kind = std::find_if(found.begin(), found.end(), [key](const WrongKind& k) { return k.key == key; });
  if (kind == found.end()) kind = found.insert(found.end(), WrongKind{std::string(key), 0, {}});
  ++kind->count;
  std::vector<WrongKind::Place>& places = kind->places;
  auto place = std::find_if(places.rbegin(), places.rend(), [&where](const WrongKind::Place& p) { return p.where == where; });
  if (place != places.rend())
    ++place->count;
  else if (places.size() < kWrongKindPlaces)
    places.push_back({where, 1});
}

// Counts each child of node that a key of keys names and that holds a value
// of the other kind (an empty value counts as absent, not as wrong).
template <size_t N>
void Check(const ScriptNode* node, const ReadKey (&keys)[N], const std::string& where,
           std::vector<WrongKind>& found) {
  for (int i = 0; node->kind == kBlock && i < node->ItemCount(); ++i) {
    const ScriptNode* child = node->ChildAt(i);
    if (child->kind == kUntyped) continue;
    const std::string_view name = child->name();
    for (const ReadKey& read : keys) {
      if (name != read.key) continue;
      const bool wrong = read.number ? child->kind != kNumbers : !child->HoldsText();
      if (wrong) Count(read.key, where, found);
      break;
    }
  }
}

void CheckCountry(const ScriptNode* country, std::vector<WrongKind>& found) {
  const std::string where = "country " + std::string(country->TextOf("tag"));
  Check(country, kCountryKeys, where, found);
  for (int i = 0; i < country->ItemCount(); ++i) {
    const ScriptNode* child = country->ChildAt(i);
    const std::string_view name = child->name();
    if (name == "landunit" || name == "navalunit") {
      Check(child, kUnitKeys, where, found);
      for (int j = 0; child->kind == kBlock && j < child->ItemCount(); ++j)
        if (child->ChildAt(j)->name() == "division") Check(child->ChildAt(j), kDivisionKeys, where, found);
    } else if (name == "state") {
      for (int j = 0; child->kind == kBlock && j < child->ItemCount(); ++j)
        if (child->ChildAt(j)->name() == "factory") Check(child->ChildAt(j), kFactoryKeys, where, found);
    }
  }
}

}  // namespace

std::vector<WrongKind> FindWrongKinds(const ScriptNode& save) {
  std::vector<WrongKind> found;
  for (int i = 0; save.kind == kBlock && i < save.ItemCount(); ++i) {
    const ScriptNode* block = save.ChildAt(i);
    if (block->kind != kBlock) continue;
    if (block->name() == "country") {
      CheckCountry(block, found);
    } else if (block->name() == "province") {
      const ScriptNode* id = block->FirstChild("id");
      const std::string where = "province " + std::string(id && id->kind == kNumbers && id->ItemCount() > 0
                                                             ? std::to_string(static_cast<long long>(id->NumberAt(0)))
                                                             : "without an id");
      Check(block, kProvinceKeys, where, found);
    }
  }
  return found;
}
