#include "app/cli/cli_platform.h"

#include "app/cli/report_json.h"
#include "app/cli/report_markdown.h"
#include "script/replacing_file.h"

namespace {

// Writes text to path ("-": standard output); false after saying why.
bool WriteReport(const std::string& path, const std::string& text) {
  if (path == "-") {
    std::fwrite(text.data(), 1, text.size(), stdout);
    return std::fflush(stdout) == 0;
  }
  ReplacingFile file;
  std::string error;
  if (file.Open(path, &error) && file.Write(text) && file.Commit()) return true;
  std::fprintf(stderr, "%s\n", error.empty() ? ("Could not write " + path).c_str() : error.c_str());
  return false;
}

}  // namespace

void CliPlatform::Saved(const SavedRun& run) {
  if (reports_.markdownPath.empty() && reports_.jsonPath.empty()) return;
  const RunReport report = BuildRunReport(run, *reports_.data, reports_.dataFolder);
  if (!reports_.markdownPath.empty()) reportsWritten_ &= WriteReport(reports_.markdownPath, MarkdownReport(report));
  if (!reports_.jsonPath.empty()) reportsWritten_ &= WriteReport(reports_.jsonPath, JsonReport(report));
}
