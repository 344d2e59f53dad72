#include "app/cli/cli_platform.h"

#include <cerrno>
#include <cstring>

#include "app/core/report_json.h"
#include "app/core/report_markdown.h"

bool CliPlatform::OpenOutput(const std::string& path, ReplacingFile** file) {
  if (path.empty() || path == "-") return true;
  std::string error;
  *file = outputs_.Open(path, log_, &error);
  if (!*file) std::fprintf(stderr, "%s\n", error.c_str());
  return *file != nullptr;
}

bool CliPlatform::OpenOutputs() {
  ReplacingFile* scenario = nullptr;
  return OpenOutput(reports_.markdownPath, &markdownFile_) && OpenOutput(reports_.jsonPath, &jsonFile_) &&
         OpenOutput(scenarioPath_, &scenario);
}

bool CliPlatform::WriteReport(ReplacingFile* file, const std::string& text) {
  if (!file) {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return FlushStandardOutput("the report");
  }
  file->Write(text);  // a failed write shows when the file is finished
  return true;
}

bool CliPlatform::Written(const SavedRun& run) {
  if (!Reports()) return true;
  RunReport report = ReportOf(run);
  report.dataFolder = reports_.dataFolder;
  report.table = reports_.data->provincesFromFile ? reports_.data->PathOf(ReferencePart::kProvinces) : "built in";
  return (reports_.markdownPath.empty() || WriteReport(markdownFile_, MarkdownReport(report))) &&
         (reports_.jsonPath.empty() || WriteReport(jsonFile_, JsonReport(report)));
}

bool FlushStandardOutput(std::string_view what) {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  std::fprintf(stderr, "Could not write %.*s to standard output: %s\n", static_cast<int>(what.size()), what.data(),
               std::strerror(errno));
  return false;
}
