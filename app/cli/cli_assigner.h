// How the command line places the provinces a conversion left without an
// owner:
//   1. the plan of --assign (see ReadPlan): entries TAG = { 550 551 } carried
//      out in file order; a tag the country box does not offer, or a plan that leaves a
//      province unplaced, stops the run; ids that are not missing are passed
//      over with a warning;
//   2. --assign-rest TAG: every province still unplaced goes to TAG;
//   3. without a plan, on a terminal: the tag is asked for province by province;
//   4. without a plan and without a terminal: the missing provinces, the offered
//      tags and a plan to fill are printed and the run stops.
// Labels carry the province names of the --game-dir installation when given.
// Questions, warnings and errors go to standard error; on a terminal, the
// control characters of province names are shown escaped, and always in the
// printed plan, so that it reads back as a plan.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "assign/province_placement.h"

class ProvinceLedger;
class ProvinceNames;
struct PlanEntry;

struct AssignChoices {
  std::optional<std::string> planPath;  // --assign
  std::optional<std::string> restTag;   // --assign-rest
};

class CliAssigner : public ProvinceAssigner {
 public:
  // names label the provinces; interactive: ask on standard input for what is
  // left (when there is no plan).
  CliAssigner(AssignChoices choices, const ProvinceNames& names, bool interactive);
  std::optional<ProvincePlacement> Place(const MissingProvinces& missing) override;

 private:
  // Plan ids that were not placed: not missing at all, or listed more often than missing.
  struct PassedOver {
    std::vector<ProvinceId> notMissing;
    std::vector<ProvinceId> repeated;
  };

  bool CarryOutPlan(ProvinceLedger& ledger);
  // One entry TAG = { ids }: false, after saying why, when it cannot be carried out.
  bool CarryOutEntry(ProvinceLedger& ledger, const PlanEntry& entry, PassedOver& passedOver);
  bool AskForTheRest(ProvinceLedger& ledger);

  AssignChoices choices_;
  const ProvinceNames& names_;
  bool interactive_;
};

// Whether the stream is a terminal: one a person answers (standard input), or
// one that would obey control characters (standard error).
bool IsTerminal(std::FILE* stream);
