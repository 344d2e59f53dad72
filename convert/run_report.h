// The report of a conversion, as the --report and --report-json files show it:
// the run (program, save, data, table, settings, times), one row per source
// country (with the target provinces its own lists brought), the scenario's
// countries, the dropped countries, the provinces the table does not map, the
// contests, the provinces placed by hand, the alliances and one record per
// scenario province (owner, controller, source provinces, reason). The
// conversion gives every fact of it; owners, controllers and capacities are
// read from the scenario tree, so the report agrees with the scenario. The
// front end adds what only it knows: the program, the names of the save and
// the data, and the times it measured. Texts are kept as the save, the data
// and the front end give them, bytes of any kind; the renderers
// (app/core/report_markdown.h, report_json.h) show them as UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "convert/conversion_report.h"
#include "refdata/province_map.h"
#include "script/script_node.h"

struct RunReport {
  struct Setting {
    std::string key;
    std::string value;
  };
  struct Country {
    std::string source;
    std::string fate;  // "converted", "founded", "merged" or "dropped"
    std::string target;
    int provinces = 0;  // converted, founded, merged: target provinces it gave an owned list
    int divisions = 0;
    int navalUnits = 0;
    int industrialCapacity = 0;  // of those provinces
    int heldProvinces = 0;       // dropped: what it held in the save
    int heldUnits = 0;
  };
  // A country of the scenario, as it stands written.
  struct ScenarioCountry {
    std::string tag;
    int owned = 0;
    int industrialCapacity = 0;  // of its owned provinces
  };
  struct Province {
    ProvinceId id = 0;
    std::string owner;  // empty: none
    std::string controller;
    std::vector<ProvinceId> sources;
    std::string reason;  // "direct", "contest won", "claim", "placed as missing", or empty
  };

  // Given by the front end.
  std::string program;
  std::string save;
  std::string dataFolder;
  std::string table;  // "built in" or the Provinces.txt path
  double loadSeconds = 0, convertSeconds = 0, saveSeconds = 0;

  uint64_t saveBytes = 0;  // read from the save
  std::vector<Setting> settings;
  std::vector<Country> countries;
  std::vector<ScenarioCountry> scenarioCountries;
  std::vector<ProvinceId> unmapped;
  std::vector<ProvinceContest> contests;
  std::vector<ConversionReport::Placement> placed;
  std::vector<AllianceMembers> alliances;
  std::vector<WrongKind> wrongKinds;
  std::vector<Province> provinces;
};

// The facts of a finished conversion: what its steps noted, its scenario tree,
// the province table it used and the size of its save.
RunReport BuildRunReport(const ConversionReport& done, const ScriptNode& scenario, const ProvinceMap& table,
                         uint64_t saveBytes);
