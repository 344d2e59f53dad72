#include "script/script_file.h"

#include <cstdio>
#include <utility>

#include "script/script_arena.h"
#include "script/script_reader.h"

ScriptFile::ScriptFile() : arena_(std::make_unique<ScriptArena>()), root_(arena_->Root()) {}

ScriptFile::~ScriptFile() = default;

ScriptFile::ScriptFile(ScriptFile&& other) : ScriptFile() { *this = std::move(other); }

ScriptFile& ScriptFile::operator=(ScriptFile&& other) noexcept {
  std::swap(arena_, other.arena_);
  std::swap(root_, other.root_);
  std::swap(lineNumber, other.lineNumber);
  std::swap(errorCount, other.errorCount);
  std::swap(bytesRead, other.bytesRead);
  std::swap(keepLines_, other.keepLines_);
  std::swap(lines_, other.lines_);
  std::swap(syntaxErrors_, other.syntaxErrors_);
  return *this;
}

void ScriptFile::FreeTree() {
  arena_ = std::make_unique<ScriptArena>();
  root_ = arena_->Root();
  lines_.clear();
  syntaxErrors_.clear();
}

uint32_t ScriptFile::LineOf(const ScriptNode* node) const {
  const auto found = lines_.find(node);
  return found == lines_.end() ? 0 : found->second;
}

ScriptFile::LoadResult ScriptFile::LoadBuffer(std::string_view bytes, std::string_view shownName,
                                              StatusLog& log) {
  log.AddLine(LoadingLine(shownName));
  return ReadBuffer(bytes, log);
}

ScriptFile::LoadResult ScriptFile::ReadBuffer(std::string_view bytes, StatusLog& log) {
  ScriptReader reader(*this, log);
  reader.OpenBuffer(bytes);
  return Read(reader, log);
}

ScriptFile::LoadResult ScriptFile::ReadSource(ByteSource& source, StatusLog& log) {
  ScriptReader reader(*this, log);
  reader.OpenSource(source);
  return Read(reader, log);
}

std::string ScriptFile::LoadingLine(std::string_view shownName) {
  return "Loading " + std::string(shownName) + "...";
}

ScriptFile::LoadResult ScriptFile::Read(ScriptReader& reader, StatusLog& log) {
  FreeTree();
  lineNumber = 0;
  errorCount = 0;
  bytesRead = 0;
  root_->parseState = kTopLevel;
  if (!reader.Parse(root_)) {
    FreeTree();
    return LoadResult::kUnreadable;
  }
  root_->parseState = kComplete;
  char line[64];
  if (errorCount > 0) {
    std::snprintf(line, sizeof line, "There were %u errors during loading.", errorCount);
    log.AddLine(line);
  }
  // The factors are a little below 1/1024 and 1/1048576; the figures users know depend on them.
  double kb = static_cast<double>(bytesRead) * 0.0009734991887506761;
  if (kb <= 1000.0)
    std::snprintf(line, sizeof line, "%0.1f kb loaded.", kb);
  else
    std::snprintf(line, sizeof line, "%0.1f MB loaded.",
                  static_cast<double>(bytesRead) * 9.489552124771551e-07);
  log.AddLine(line);
  log.AddLine("");
  return errorCount > 0 ? LoadResult::kLoadedWithErrors : LoadResult::kLoaded;
}
