// Converts arbitrary save text with the shipped reference data (loaded once),
// giving every province left without an owner to the first country offered,
// saves the scenario and loads it again: nothing may crash on the way, and a
// scenario that was written must read back without a single error line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

#include <unistd.h>

#include "app/core/program_info.h"
#include "app/files/data_folder_files.h"
#include "bench/first_country_assigner.h"
#include "convert/scenario_converter.h"
#include "refdata/reference_data.h"
#include "script/script_file.h"

namespace {

const ReferenceData& Data() {
  static ReferenceData* data = [] {
    auto* loaded = new ReferenceData;
    LineCollector log;
    if (loaded->Load(log, ReadDataFolder(QUILLMERE_SOURCE_DIR "/Data"))) std::abort();
    return loaded;
  }();
  return *data;
}

std::string PathOf(const char* what) {
  return "/tmp/quillmere-fuzz-" + std::to_string(getpid()) + "-" + what + ".kst";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const ReferenceData& data = Data();
  static const std::string scenarioPath = PathOf("scenario");

  LineCollector log;
  ScriptFile save;
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  if (save.LoadBuffer(text, "save", log) == ScriptFile::LoadResult::kUnreadable) std::abort();
  FirstCountryAssigner assigner;
  const Conversion conversion = Convert(std::move(save), data, &assigner, log);
  if (conversion.result != ConversionResult::kConverted) return 0;
  if (!conversion.scenario.Save(scenarioPath, kGeneratorText, log)) std::abort();

  LineCollector again;
  ScriptFile scenario;
  if (scenario.Load(scenarioPath, "scenario", again) != ScriptFile::LoadResult::kLoaded) {
    for (const std::string& line : again.lines) std::fprintf(stderr, "%s\n", line.c_str());
    std::abort();
  }
  return 0;
}
