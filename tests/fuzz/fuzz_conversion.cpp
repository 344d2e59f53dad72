// Converts arbitrary save text with the shipped reference data (loaded once),
// giving every province left without an owner to the first country offered,
// saves the scenario and loads it again: nothing may crash on the way, and a
// scenario that was written must read back without a single error line.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include <unistd.h>

#include "app/core/program_info.h"
#include "bench/first_country_assigner.h"
#include "convert/scenario_converter.h"
#include "refdata/reference_data.h"
#include "script/script_file.h"

namespace {

const ReferenceData& Data() {
  static ReferenceData* data = [] {
    auto* loaded = new ReferenceData;
    LineCollector log;
    if (loaded->Load(log, QUILLMERE_SOURCE_DIR "/Data")) std::abort();
    return loaded;
  }();
  return *data;
}

std::string PathOf(const char* what) {
  return "/tmp/quillmere-fuzz-" + std::to_string(getpid()) + "-" + what + ".kst";
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  if (size && std::fwrite(data, 1, size, f) != size) std::abort();
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const ReferenceData& data = Data();
  static const std::string savePath = PathOf("save");
  static const std::string scenarioPath = PathOf("scenario");
  WriteBytes(savePath, bytes, size);

  LineCollector log;
  ScenarioConverter converter;
  FirstCountryAssigner assigner;
  converter.assigner = &assigner;
  if (!converter.Load(savePath, "save", log)) std::abort();
  const ConversionResult result =
      converter.Convert(data.provinces, data.countriesFile, data.basesFile, data.dataFile, log);
  if (result != ConversionResult::kConverted) return 0;
  if (!converter.Save(scenarioPath, kGeneratorText, log)) std::abort();

  LineCollector again;
  ScriptFile scenario;
  if (!scenario.Load(scenarioPath, "scenario", again)) std::abort();
  if (scenario.errorCount != 0) {
    for (const std::string& line : again.lines) std::fprintf(stderr, "%s\n", line.c_str());
    std::abort();
  }
  return 0;
}
