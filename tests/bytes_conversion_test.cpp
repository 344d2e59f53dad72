// The conversion from bytes alone, as a front end without files drives it: the
// save and the plan as bytes in memory, Prepare, a placement made from the
// plan, Finish; its scenario and its report are those of the command line for
// the same save and plan (the report apart from its times).
#ifndef _WIN32
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include <nlohmann/json.hpp>

#include "app/core/assignment_plan.h"
#include "app/core/program_info.h"
#include "app/core/reference_startup.h"
#include "app/core/report_json.h"
#include "app/core/report_markdown.h"
#include "convert/scenario_converter.h"
#include "tests/cli_run.h"
#include "tests/test_files.h"

namespace {

const std::string kSource = QUILLMERE_SOURCE_DIR;
const std::string kSave = kSource + "/examples/world.kst";
const std::string kPlan = kSource + "/examples/world-plan.txt";
const std::string kData = kSource + "/Data";

// The placement a plan's entries (TAG = { ids }) make, in their order.
ProvincePlacement PlacementOf(std::string_view plan) {
  LineCollector messages;
  const std::optional<std::vector<PlanEntry>> entries = ReadPlan(plan, "plan", messages);
  ProvincePlacement placement;
  for (const PlanEntry& entry : entries.value()) placement.push_back({entry.tag, entry.ids, "plan"});
  return placement;
}

// The shipped reference data as bytes the test read itself.
ReferenceBuffers DataAsBytes() {
  ReferenceBuffers buffers;
  buffers.provinces.name = kData + "/Provinces.txt";  // none: the built-in table
  for (auto [buffer, file] : {std::pair{&buffers.countries, "Countries.txt"}, std::pair{&buffers.bases, "Bases.txt"},
                              std::pair{&buffers.data, "Data.txt"}}) {
    buffer->name = kData + "/" + file;
    buffer->state = ReferenceBuffer::State::kRead;
    buffer->bytes = ReadFile(buffer->name);
  }
  return buffers;
}

// A report without the line or the member of its times.
std::string WithoutTimes(std::string markdown) {
  const size_t line = markdown.find("| Time |");
  if (line != std::string::npos) markdown.erase(line, markdown.find('\n', line) - line);
  return markdown;
}
nlohmann::json WithoutTimes(nlohmann::json json) {
  json["run"].erase("seconds");
  return json;
}

TEST(BytesConversion, GivesTheScenarioAndReportOfTheCommandLine) {
  TempDir dir;
  const CliResult run = RunCli("convert " + Quoted(kSave) + " " + Quoted(dir.File("world.kst")) + " --data " +
                               Quoted(kData) + " --assign " + Quoted(kPlan) + " --report " +
                               Quoted(dir.File("report.md")) + " --report-json " + Quoted(dir.File("report.json")));
  ASSERT_EQ(run.exitCode, 0) << run.output;

  LineCollector log;
  ReferenceData data;
  ASSERT_FALSE(LoadReferenceData(data, log, DataAsBytes()));
  const std::string save = ReadFile(kSave);
  const std::string plan = ReadFile(kPlan);

  PreparedConversion prepared = Prepare(save, data, log, true);
  ASSERT_TRUE(prepared.pending);
  EXPECT_FALSE(prepared.pending->missing().ids.empty());
  const Conversion conversion = prepared.pending->Finish(PlacementOf(plan));
  ASSERT_EQ(conversion.result, ConversionResult::kConverted);

  std::string scenario;
  conversion.scenario.Write(scenario, kGeneratorText);
  EXPECT_TRUE(scenario == ReadFile(dir.File("world.kst")));
  RunReport report = conversion.report;
  report.program = std::string("quillmere ") + kVersion;
  report.save = kSave;
  report.dataFolder = kData;
  report.table = "built in";
  EXPECT_EQ(WithoutTimes(MarkdownReport(report)), WithoutTimes(ReadFile(dir.File("report.md"))));
  EXPECT_EQ(WithoutTimes(nlohmann::json::parse(JsonReport(report))),
            WithoutTimes(nlohmann::json::parse(ReadFile(dir.File("report.json")))));
}

TEST(BytesConversion, AnAbandonedOrRefusedConversionLeavesNothingBehind) {
  LineCollector log;
  ReferenceData data;
  ASSERT_FALSE(LoadReferenceData(data, log, DataAsBytes()));
  const std::string save = ReadFile(kSave);
  EXPECT_TRUE(Prepare(save, data, log).pending);  // dropped unfinished
  PreparedConversion prepared = Prepare(save, data, log);
  ASSERT_TRUE(prepared.pending);
  EXPECT_EQ(prepared.pending->Finish(std::nullopt).result, ConversionResult::kAssignmentAborted);
  EXPECT_EQ(Prepare(std::string_view("header = { }"), data, log).result, ConversionResult::kNotASave);
}

}  // namespace
#endif
