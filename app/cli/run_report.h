// The report of a saved conversion, as the --report and --report-json files
// show it: the run (program, save, data, table, settings, times), one row per
// source country (with the target provinces its own lists brought), the
// scenario's countries, the dropped countries, the provinces the table does not
// map, the contests, the provinces placed by hand, the alliances and one
// record per scenario province (owner, controller, source provinces, reason).
// Owners, controllers and capacities are read from the saved scenario, so the
// report agrees with it. Texts are kept as the save, the data and the command
// line give them, bytes of any kind; the renderers show them as UTF-8
// (windows1252_text.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/core/conversion_run.h"

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

  std::string program;
  std::string save;
  uint64_t saveBytes = 0;  // read from the save, also when it is a pipe
  std::string dataFolder;
  std::string table;  // "built in" or the Provinces.txt path
  std::vector<Setting> settings;
  double loadSeconds = 0, convertSeconds = 0, saveSeconds = 0;
  std::vector<Country> countries;
  std::vector<ScenarioCountry> scenarioCountries;
  std::vector<ProvinceId> unmapped;
  std::vector<ProvinceContest> contests;
  std::vector<ConversionReport::Placement> placed;
  std::vector<AllianceMembers> alliances;
  std::vector<WrongKind> wrongKinds;
  std::vector<Province> provinces;
};

RunReport BuildRunReport(const SavedRun& run, const ReferenceData& data, const std::string& dataFolder);
