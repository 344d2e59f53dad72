#include "app/web/web_session.h"

#include <chrono>
#include <new>
#include <utility>

#include "app/core/program_info.h"
#include "app/core/reference_startup.h"
#include "app/core/report_json.h"
#include "app/core/report_markdown.h"
#include "app/core/run_messages.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

constexpr std::string_view kOutOfMemoryMessage = "Not enough memory: the file is too large for this machine.";

}  // namespace

template <typename Step>
WebSession::Stage WebSession::Guarded(Step step) {
  try {
    return step();
  } catch (const std::bad_alloc&) {
    return Failed(std::string(kOutOfMemoryMessage));
  } catch (...) {
    return Failed(std::string(kExceptionMessage));
  }
}

WebSession::Stage WebSession::Start(const ReferenceBuffers& buffers, const std::string& dataFolder,
                                const ChosenFile& save, std::string_view bytes, StatusLog& log) {
  pending_.reset();
  data_ = std::make_unique<ReferenceData>();
  dataFolder_ = dataFolder;
  save_ = save;
  results_ = {};
  return Guarded([&] {
    if (const std::optional<ReferencePart> failed = LoadReferenceData(*data_, log, buffers))
      return Failed(StartupFailureMessage(*data_, *failed));
    log.AddLine("Global data loaded!");
    log.AddLine(ScriptFile::LoadingLine(save.title));
    const auto start = std::chrono::steady_clock::now();
    ScriptFile tree;
    tree.ReadBuffer(bytes, log);
    loadSeconds_ = SecondsSince(start);
    const auto converting = std::chrono::steady_clock::now();
    PreparedConversion prepared = Prepare(std::move(tree), *data_, log, true);
    convertSeconds_ = SecondsSince(converting);
    return Prepared(std::move(prepared), log);
  });
}

WebSession::Stage WebSession::Prepared(PreparedConversion prepared, StatusLog& log) {
  if (!prepared.pending) {
    if (prepared.result != ConversionResult::kNotASave) log.AddLine("Error! Conversion aborted...");
    return Failed(ConversionFailureMessage(prepared.result));
  }
  pending_ = std::move(prepared.pending);
  const MissingProvinces& missing = pending_->missing();
  if (missing.ids.empty()) return Finish({}, log);
  if (TagsInListOrder(missing.tags).empty()) {
    log.AddLine("Error! Conversion aborted...");
    return Failed(NoCountryToPlaceMessage(missing.ids.size()));
  }
  return Stage::kPlacing;
}

WebSession::Stage WebSession::Finish(const ProvincePlacement& placement, StatusLog& log) {
  if (!pending_) return Failed(std::string(kExceptionMessage));
  return Guarded([&] {
    const auto start = std::chrono::steady_clock::now();
    Conversion conversion = pending_->Finish(placement);
    pending_.reset();
    convertSeconds_ += SecondsSince(start);
    return Finished(std::move(conversion), log);
  });
}

WebSession::Stage WebSession::Finished(Conversion conversion, StatusLog& log) {
  if (conversion.result != ConversionResult::kConverted) {
    log.AddLine("Error! Conversion aborted...");
    return Failed(ConversionFailureMessage(conversion.result));
  }
  log.AddLine("File converted!");
  log.AddLine("");
  log.AddLine("Saving " + save_.title + "...");
  const auto start = std::chrono::steady_clock::now();
  conversion.scenario.Write(results_.scenario, kGeneratorText);
  RunReport report = ReportOf({save_, conversion, loadSeconds_, convertSeconds_, SecondsSince(start)});
  report.dataFolder = dataFolder_;
  report.table = data_->provincesFromFile ? data_->PathOf(ReferencePart::kProvinces) : "built in";
  results_.markdownReport = MarkdownReport(report);
  results_.jsonReport = JsonReport(report);
  log.AddLine("File saved successfully!");
  return Stage::kDone;
}

WebSession::Stage WebSession::Failed(std::string message) {
  pending_.reset();
  results_ = {};
  results_.message = std::move(message);
  return Stage::kFailed;
}

void WebSession::SetNames(std::optional<std::string_view> bytes) {
  names_ = bytes ? ProvinceNames::FromBytes(*bytes) : ProvinceNames();
}

const MissingProvinces& WebSession::missing() const {
  static const MissingProvinces kNone;
  return pending_ ? pending_->missing() : kNone;
}
