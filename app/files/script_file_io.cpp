#include "app/files/script_file_io.h"

#include <optional>

#include "app/files/replacing_files.h"
#include "app/files/whole_file.h"

ScriptFile::LoadResult LoadScriptFile(ScriptFile& file, const std::string& path, std::string_view shownName,
                                      StatusLog& log) {
  log.AddLine(ScriptFile::LoadingLine(shownName));
  const std::optional<std::string> bytes = ReadWholeFile(path, log);
  if (!bytes) {
    file.FreeTree();
    return ScriptFile::LoadResult::kUnreadable;
  }
  return file.ReadBuffer(*bytes, log);
}

bool SaveScriptFile(const ScriptFile& file, const std::string& path, std::string_view generator, StatusLog& log) {
  ReplacingFiles outputs;
  std::string error;
  ReplacingFile* output = outputs.Open(path, log, &error);
  if (!output) {
    log.AddLine(error);
    return false;
  }
  file.Write(*output, generator);
  return outputs.Commit(log);
}
