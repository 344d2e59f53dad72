// Converts arbitrary save text with the shipped reference data (loaded once),
// giving every province left without an owner to the first country offered,
// writes the scenario and reads it again, all in memory: nothing may crash on
// the way, and a scenario that was written must read back without a single
// error line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const ReferenceData& data = Data();

  LineCollector log;
  const std::string_view save(reinterpret_cast<const char*>(bytes), size);
  PreparedConversion prepared = Prepare(save, data, log, true);
  if (!prepared.pending) return 0;
  FirstCountryAssigner assigner;
  const Conversion conversion = Finish(*prepared.pending, assigner);
  if (conversion.result != ConversionResult::kConverted) return 0;
  std::string text;
  conversion.scenario.Write(text, kGeneratorText);

  LineCollector again;
  ScriptFile scenario;
  if (scenario.LoadBuffer(text, "scenario", again) != ScriptFile::LoadResult::kLoaded) {
    for (const std::string& line : again.lines) std::fprintf(stderr, "%s\n", line.c_str());
    std::abort();
  }
  return 0;
}
