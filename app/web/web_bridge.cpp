// The page's worker calls the conversion through these functions: it puts its
// inputs (bytes, named by a key) into the module's memory, runs a command, and
// reads the outputs back by key. Texts for the page are UTF-8 (the program's
// own bytes read as Windows-1252, as the reports read them); status lines go
// to the worker as they come, as bytes.
//
// Commands and their keys (inputs; outputs):
//   convert     save, save-name, data-folder, countries, bases, data and
//               provinces with their *-name, names (optional);
//               message, missing; scenario, report-md, report-json
//   finish      placement; the same as convert
//   names       names (absent: none); missing (labels again)
//   check-data  the data files as for convert; findings (lines)
//   read-plan   plan, plan-name; plan (entries) or messages (lines)
//   write-plan  placement, unplaced (ids); plan (bytes)
// A placement is JSON [{"tag": index into the offered tags, "ids": [...],
// "how": "dialog" or "plan"}]; missing is JSON {"ids", "labels", "tags"},
// the tags in the order the page offers them.
#include <emscripten.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <utility>

#include "app/core/assignment_plan.h"
#include "app/core/data_findings.h"
#include "app/core/windows1252_text.h"
#include "app/web/web_session.h"

namespace {

using Json = nlohmann::json;

EM_JS(void, SendStatusLine, (const char* text, size_t size), {
  Module["onStatusLine"](HEAPU8.slice(text, text + size));
});

class WorkerLog : public StatusLog {
 public:
  void AddLine(std::string_view text) override { SendStatusLine(text.data(), text.size()); }
  void Clear() override {}
};

// An input's bytes, kept where the worker wrote them (a save may be large).
struct InputBytes {
  std::unique_ptr<char, decltype(&std::free)> data{nullptr, &std::free};
  size_t size = 0;
};

struct Bridge {
  std::map<std::string, InputBytes> inputs;
  std::map<std::string, std::string> outputs;
  WebSession session;
  WorkerLog log;

  std::optional<std::string_view> Input(const std::string& key) const {
    const auto found = inputs.find(key);
    if (found == inputs.end()) return std::nullopt;
    return std::string_view(found->second.data.get(), found->second.size);
  }
  std::string Text(const std::string& key) const { return std::string(Input(key).value_or("")); }
};

Bridge& TheBridge() {
  static Bridge bridge;
  return bridge;
}

// The tags a conversion offers, as the page lists them: each once.
std::vector<std::string> OfferedTags(const MissingProvinces& missing) {
  std::vector<std::string> offered;
  for (std::string& tag : TagsInListOrder(missing.tags))
    if (std::find(offered.begin(), offered.end(), tag) == offered.end()) offered.push_back(std::move(tag));
  return offered;
}

std::vector<std::string> Utf8(const std::vector<std::string>& texts) {
  std::vector<std::string> converted;
  for (const std::string& text : texts) converted.push_back(Utf8FromWindows1252(text));
  return converted;
}

std::vector<std::string> Labels(const std::vector<ProvinceId>& ids, const ProvinceNames& names) {
  std::vector<std::string> labels;
  for (const ProvinceId id : ids) labels.push_back(names.Label(id));
  return labels;
}

ReferenceBuffer BufferOf(const Bridge& bridge, const std::string& key) {
  ReferenceBuffer buffer;
  buffer.name = bridge.Text(key + "-name");
  const std::optional<std::string_view> bytes = bridge.Input(key);
  buffer.state = bytes ? ReferenceBuffer::State::kRead : ReferenceBuffer::State::kMissing;
  buffer.bytes = std::string(bytes.value_or(""));
  return buffer;
}

ReferenceBuffers BuffersOf(const Bridge& bridge) {
  return {BufferOf(bridge, "provinces"), BufferOf(bridge, "countries"), BufferOf(bridge, "bases"),
          BufferOf(bridge, "data"), std::nullopt};
}

// The missing provinces of a waiting conversion, labelled with the names given.
void PutMissing(Bridge& bridge) {
  const MissingProvinces& missing = bridge.session.missing();
  const Json json = {{"ids", missing.ids},
                     {"labels", Utf8(Labels(missing.ids, bridge.session.names()))},
                     {"tags", Utf8(OfferedTags(missing))}};
  bridge.outputs["missing"] = json.dump();
}

int PutStage(Bridge& bridge, WebSession::Stage stage) {
  WebSession::Results results = bridge.session.TakeResults();
  bridge.outputs["message"] = std::move(results.message);
  bridge.outputs["scenario"] = std::move(results.scenario);
  bridge.outputs["report-md"] = std::move(results.markdownReport);
  bridge.outputs["report-json"] = std::move(results.jsonReport);
  PutMissing(bridge);
  return static_cast<int>(stage);
}

// A placement from the page: offered tags by index; entries with an unknown index are left out.
std::vector<PlanEntry> EntriesOf(const Json& placement, const std::vector<std::string>& offered,
                                 ProvincePlacement* withHow) {
  std::vector<PlanEntry> entries;
  for (const Json& assignment : placement) {
    const size_t tag = assignment.at("tag").get<size_t>();
    if (tag >= offered.size()) continue;
    const std::vector<ProvinceId> ids = assignment.at("ids").get<std::vector<ProvinceId>>();
    if (withHow) withHow->push_back({offered[tag], ids, assignment.at("how").get<std::string>()});
    entries.push_back({offered[tag], ids});
  }
  return entries;
}

int Convert(Bridge& bridge) {
  bridge.session.SetNames(bridge.Input("names"));
  const std::string title = bridge.Text("save-name");
  return PutStage(bridge, bridge.session.Start(BuffersOf(bridge), bridge.Text("data-folder"), {title, title},
                                               bridge.Input("save").value_or(""), bridge.log));
}

int Finish(Bridge& bridge) {
  ProvincePlacement placement;
  EntriesOf(Json::parse(bridge.Text("placement")), OfferedTags(bridge.session.missing()), &placement);
  return PutStage(bridge, bridge.session.Finish(placement, bridge.log));
}

int Names(Bridge& bridge) {
  bridge.session.SetNames(bridge.Input("names"));
  PutMissing(bridge);
  return 0;
}

int CheckData(Bridge& bridge) {
  std::string lines;
  bool error = false;
  for (const DataFinding& finding : DataFindings(BuffersOf(bridge))) {
    lines += FindingLine(finding) + "\n";
    error |= finding.error;
  }
  bridge.outputs["findings"] = lines;
  return error ? 1 : 0;
}

int ReadPlanInput(Bridge& bridge) {
  LineCollector messages;
  const std::optional<std::vector<PlanEntry>> plan =
      ReadPlan(bridge.Input("plan"), bridge.Text("plan-name"), messages);
  if (!plan) {
    std::string lines;
    for (const std::string& line : messages.lines) lines += Utf8FromWindows1252(line) + "\n";
    bridge.outputs["messages"] = lines;
    return 1;
  }
  const std::vector<std::string> offered = OfferedTags(bridge.session.missing());
  Json entries = Json::array();
  for (const PlanEntry& entry : *plan) {
    const auto at = std::find(offered.begin(), offered.end(), entry.tag);
    entries.push_back({{"tag", at == offered.end() ? -1 : at - offered.begin()},
                       {"tagText", Utf8FromWindows1252(entry.tag)},
                       {"ids", entry.ids}});
  }
  bridge.outputs["plan"] = entries.dump();
  return 0;
}

int WritePlan(Bridge& bridge) {
  const std::vector<std::string> offered = OfferedTags(bridge.session.missing());
  std::vector<PlanEntry> entries = EntriesOf(Json::parse(bridge.Text("placement")), offered, nullptr);
  const std::vector<ProvinceId> unplaced = Json::parse(bridge.Text("unplaced")).get<std::vector<ProvinceId>>();
  bridge.outputs["plan"] = PlanText({offered, Labels(unplaced, bridge.session.names()), std::move(entries)});
  return 0;
}

int Run(Bridge& bridge, std::string_view command) {
  if (command == "convert") return Convert(bridge);
  if (command == "finish") return Finish(bridge);
  if (command == "names") return Names(bridge);
  if (command == "check-data") return CheckData(bridge);
  if (command == "read-plan") return ReadPlanInput(bridge);
  if (command == "write-plan") return WritePlan(bridge);
  return -1;
}

}  // namespace

extern "C" {

// Takes the bytes the worker wrote at data (from malloc) as the input key, and
// frees them once the command that uses them has run.
EMSCRIPTEN_KEEPALIVE void quillmere_put(const char* key, char* data, size_t size) {
  InputBytes& input = TheBridge().inputs[key];
  input.data.reset(data);
  input.size = size;
}

// Runs a command on the inputs put, which it then forgets; -1 for an unknown
// command or input the page should never send.
EMSCRIPTEN_KEEPALIVE int quillmere_run(const char* command) {
  Bridge& bridge = TheBridge();
  bridge.outputs.clear();
  int result = -1;
  try {
    result = Run(bridge, command);
  } catch (const Json::exception&) {
  }
  bridge.inputs.clear();
  return result;
}

EMSCRIPTEN_KEEPALIVE const char* quillmere_output(const char* key) { return TheBridge().outputs[key].data(); }
EMSCRIPTEN_KEEPALIVE size_t quillmere_output_size(const char* key) { return TheBridge().outputs[key].size(); }
}
