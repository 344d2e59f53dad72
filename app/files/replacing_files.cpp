#include "app/files/replacing_files.h"

namespace {

std::string Listed(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += (text.empty() ? "" : ", ") + path;
  return text;
}

}  // namespace

ReplacingFile* ReplacingFiles::Open(const std::string& path, StatusLog& log, std::string* error) {
  for (const std::unique_ptr<Output>& output : outputs_)
    if (output->path == path) return &output->file;
  if (std::optional<std::string> problem = ReplacingFile::Problem(path)) {
    *error = std::move(*problem);
    return nullptr;
  }
  for (const std::string& stale : ReplacingFile::RemoveStaleTemporaries(path))
    log.AddLine("Removed " + stale + ", left behind by an interrupted run.");
  auto output = std::make_unique<Output>();
  output->path = path;
  if (!output->file.Open(path, error)) return nullptr;
  outputs_.push_back(std::move(output));
  return &outputs_.back()->file;
}

bool ReplacingFiles::Finish(StatusLog& log) {
  for (const std::unique_ptr<Output>& output : outputs_)
    if (!output->file.Finish()) {
      log.AddLine("Could not write " + output->path);
      Discard();
      return false;
    }
  return true;
}

ReplacingFiles::Replaced ReplacingFiles::Replace(StatusLog& log) {
  std::vector<std::string> written, notWritten;
  for (const std::unique_ptr<Output>& output : outputs_) {
    if (notWritten.empty() && output->file.Commit()) {
      written.push_back(output->path);
      continue;
    }
    if (notWritten.empty()) log.AddLine("Could not write " + output->path);
    notWritten.push_back(output->path);
  }
  Discard();
  if (notWritten.empty()) return Replaced::kAll;
  if (written.empty()) return Replaced::kNone;
  log.AddLine("Only some files were written: " + Listed(written) + "; not written: " + Listed(notWritten) + ".");
  return Replaced::kSome;
}

void ReplacingFiles::Discard() {
  for (const std::unique_ptr<Output>& output : outputs_) output->file.Discard();
  outputs_.clear();
}
