#include "app/core/report_json.h"

#include <nlohmann/json.hpp>

#include "app/core/windows1252_text.h"

namespace {

using Json = nlohmann::ordered_json;

// Every text goes through here: the JSON holds UTF-8 only (windows1252_text.h).
Json Text(const std::string& text) { return Utf8FromWindows1252(text); }

Json Texts(const std::vector<std::string>& texts) {
  Json list = Json::array();
  for (const std::string& text : texts) list.push_back(Text(text));
  return list;
}

Json TextOrNull(const std::string& text) { return text.empty() ? Json(nullptr) : Text(text); }

Json RunOf(const RunReport& report) {
  Json settings = Json::object();
  for (const RunReport::Setting& setting : report.settings) settings[setting.key] = Text(setting.value);
  return {{"program", Text(report.program)},
          {"save", Text(report.save)},
          {"saveBytes", report.saveBytes},
          {"dataFolder", Text(report.dataFolder)},
          {"provinceTable", Text(report.table)},
          {"settings", settings},
          {"seconds", {{"load", report.loadSeconds}, {"convert", report.convertSeconds}, {"save", report.saveSeconds}}}};
}

Json CountryOf(const RunReport::Country& country) {
  Json row = {{"source", Text(country.source)}, {"fate", country.fate}};
  if (country.fate == "dropped") {
    row["heldProvinces"] = country.heldProvinces;
    row["heldUnits"] = country.heldUnits;
    return row;
  }
  row["target"] = Text(country.target);
  row["provincesFromItsLists"] = country.provinces;
  row["divisions"] = country.divisions;
  row["navalUnits"] = country.navalUnits;
  row["industrialCapacity"] = country.industrialCapacity;
  return row;
}

Json ProvinceOf(const RunReport::Province& province) {
  Json record = Json::object();
  record.emplace("id", province.id);
  record.emplace("sources", province.sources);
  record.emplace("owner", TextOrNull(province.owner));
  record.emplace("controller", TextOrNull(province.controller));
  record.emplace("reason", TextOrNull(province.reason));
  return record;
}

Json WrongKindOf(const WrongKind& kind) {
  Json places = Json::array();
  for (const WrongKind::Place& place : kind.places) places.push_back({{"where", Text(place.where)}, {"count", place.count}});
  return {{"key", Text(kind.key)}, {"count", kind.count}, {"firstPlaces", places}};
}

}  // namespace

std::string JsonReport(const RunReport& report) {
  Json countries = Json::array();
  for (const RunReport::Country& country : report.countries) countries.push_back(CountryOf(country));
  Json contests = Json::array();
  for (const ProvinceContest& contest : report.contests) {
    Json shares = Json::array();
    for (const auto& [country, weight] : contest.shares) shares.push_back({{"country", Text(country)}, {"weight", weight}});
    contests.push_back({{"province", contest.province}, {"shares", shares}, {"winner", Text(contest.winner)}});
  }
  Json placed = Json::array();
  for (const ConversionReport::Placement& placement : report.placed)
    placed.push_back({{"province", placement.province}, {"country", Text(placement.tag)}, {"how", placement.how}});
  Json alliances = Json::array();
  for (const AllianceMembers& alliance : report.alliances)
    alliances.push_back({{"name", Text(alliance.name)}, {"leader", Text(alliance.leader)}, {"members", Texts(alliance.members)}});
  Json scenarioCountries = Json::array();
  for (const RunReport::ScenarioCountry& country : report.scenarioCountries)
    scenarioCountries.push_back(
        {{"tag", Text(country.tag)}, {"provincesOwned", country.owned}, {"industrialCapacity", country.industrialCapacity}});
  Json wrongKinds = Json::array();
  for (const WrongKind& kind : report.wrongKinds) wrongKinds.push_back(WrongKindOf(kind));
  Json provinces = Json::array();
  provinces.get_ref<Json::array_t&>().reserve(report.provinces.size());
  for (const RunReport::Province& province : report.provinces) provinces.push_back(ProvinceOf(province));
  const Json document = {{"run", RunOf(report)},
                         {"countries", countries},
                         {"scenarioCountries", scenarioCountries},
                         {"unmappedProvinces", report.unmapped},
                         {"contests", contests},
                         {"placedProvinces", placed},
                         {"alliances", alliances},
                         {"wrongKinds", wrongKinds},
                         {"provinces", provinces}};
  return document.dump(2) + "\n";
}
