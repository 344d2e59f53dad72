#include "app/cli/cli_assigner.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/cli/console_log.h"
#include "app/cli/province_ledger.h"
#include "app/core/assignment_plan.h"
#include "app/core/joined.h"
#include "app/core/run_messages.h"
#include "app/files/reference_file.h"
#include "refdata/province_names.h"
#include "script/escaped_text.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// A label as standard error shows it: on a terminal, control characters (which
// a names file may hold) are written as \xHH escapes rather than obeyed.
std::string Shown(const std::string& label) {
  static const bool terminal = IsTerminal(stderr);
  return terminal ? EscapeControlCharacters(label) : label;
}

// One line of standard input without its line end; none at the end of input.
std::optional<std::string> ReadAnswer() {
  std::string line;
  int c = std::fgetc(stdin);
  if (c == EOF) return std::nullopt;
  for (; c != EOF && c != '\n'; c = std::fgetc(stdin)) line.push_back(static_cast<char>(c));
  const auto blank = [](char ch) { return ch == ' ' || ch == '\t' || ch == '\r'; };
  while (!line.empty() && blank(line.back())) line.pop_back();
  line.erase(line.begin(), std::find_if_not(line.begin(), line.end(), blank));
  return line;
}

void PrintPlanToFill(const ProvinceLedger& ledger) {
  std::fprintf(stderr,
               "The conversion left %zu provinces without an owner, and nothing is written until "
               "each has a country.\nFill in the plan below and pass it with --assign PLAN, or give "
               "them all to one country with --assign-rest TAG.\n\n",
               ledger.UnplacedCount());
  const std::string plan = PlanText({ledger.tags(), ledger.UnplacedLabels(), {}});
  std::fwrite(plan.data(), 1, plan.size(), stderr);
}

}  // namespace

CliAssigner::CliAssigner(AssignChoices choices, const ProvinceNames& names, bool interactive)
    : choices_(std::move(choices)), names_(names), interactive_(interactive) {}

std::optional<ProvincePlacement> CliAssigner::Place(const MissingProvinces& missing) {
  ProvinceLedger ledger(missing, names_);
  if (ledger.tags().empty()) {
    std::fprintf(stderr, "%s\n", NoCountryToPlaceMessage(ledger.UnplacedCount()).c_str());
    return std::nullopt;
  }
  if (choices_.restTag && !ledger.Offers(*choices_.restTag)) {
    std::fprintf(stderr, "--assign-rest %s: the scenario offers no such country. Offered: %s\n",
                 choices_.restTag->c_str(), Joined(ledger.tags(), " ").c_str());
    return std::nullopt;
  }
  if (choices_.planPath && !CarryOutPlan(ledger)) return std::nullopt;
  if (choices_.restTag) ledger.GiveRest(*choices_.restTag);
  if (ledger.UnplacedCount() == 0) return ledger.placement();
  if (choices_.planPath) {
    std::fprintf(stderr,
                 "The plan %s leaves these provinces without a country: %s\nAdd them to the plan, or "
                 "give the rest to one country with --assign-rest TAG.\n",
                 choices_.planPath->c_str(), JoinedIds(ledger.UnplacedIds(), " ").c_str());
    return std::nullopt;
  }
  if (interactive_ && AskForTheRest(ledger)) return ledger.placement();
  if (!interactive_) PrintPlanToFill(ledger);
  return std::nullopt;
}

bool CliAssigner::CarryOutPlan(ProvinceLedger& ledger) {
  const std::string& path = *choices_.planPath;
  const ReferenceBuffer file = ReadReferenceFile(path);
  ConsoleLog messages(stderr);
  const std::optional<std::vector<PlanEntry>> plan =
      ReadPlan(file.state == ReferenceBuffer::State::kRead ? std::optional<std::string_view>(file.bytes)
                                                            : std::nullopt,
               path, messages);
  if (!plan) return false;
  PassedOver passedOver;
  for (const PlanEntry& entry : *plan)
    if (!CarryOutEntry(ledger, entry, passedOver)) return false;
  if (!passedOver.notMissing.empty())
    std::fprintf(stderr, "Warning: the plan %s names provinces that are not missing; passed over: %s\n",
                 path.c_str(), JoinedIds(passedOver.notMissing, " ").c_str());
  if (!passedOver.repeated.empty())
    std::fprintf(stderr, "Warning: the plan %s names provinces more often than they are missing; the "
                 "first entries count, passed over: %s\n", path.c_str(), JoinedIds(passedOver.repeated, " ").c_str());
  return true;
}

bool CliAssigner::CarryOutEntry(ProvinceLedger& ledger, const PlanEntry& entry, PassedOver& passedOver) {
  if (!ledger.Offers(entry.tag)) {
    std::fprintf(stderr, "The plan %s gives provinces to %s, which the scenario does not offer. Offered: %s\n",
                 choices_.planPath->c_str(), entry.tag.c_str(), Joined(ledger.tags(), " ").c_str());
    return false;
  }
  for (const ProvinceId id : entry.ids) {
    if (ledger.Give(id, entry.tag)) continue;
    (ledger.IsMissing(id) ? passedOver.repeated : passedOver.notMissing).push_back(id);
  }
  return true;
}

bool CliAssigner::AskForTheRest(ProvinceLedger& ledger) {
  const std::string offered = Joined(ledger.tags(), " ");
  std::fprintf(stderr, "%zu provinces have no owner. Give each one to a country: %s\n",
               ledger.UnplacedCount(), offered.c_str());
  while (ledger.UnplacedCount() > 0) {
    std::fprintf(stderr, "Province %s - country: ", Shown(ledger.FirstUnplacedLabel()).c_str());
    std::fflush(stderr);
    const std::optional<std::string> answer = ReadAnswer();
    if (!answer) {
      std::fprintf(stderr, "\nNo answer; the conversion stops.\n");
      return false;
    }
    if (answer->empty()) continue;
    if (!ledger.Offers(*answer)) {
      std::fprintf(stderr, "%s is not offered; choose one of: %s\n", answer->c_str(), offered.c_str());
      continue;
    }
    ledger.GiveFirst(*answer);
  }
  return true;
}

bool IsTerminal(std::FILE* stream) {
#if defined(_WIN32)
  return _isatty(_fileno(stream)) != 0;
#elif defined(__EMSCRIPTEN__)
  // Under WebAssembly every standard stream claims to be a terminal, even
  // /dev/null: there the program asks no questions and escapes nothing.
  (void)stream;
  return false;
#else
  return isatty(fileno(stream)) != 0;
#endif
}
