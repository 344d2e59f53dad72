#include "script/script_file.h"

#include <cstdio>

#include "script/script_reader.h"

ScriptFile::~ScriptFile() { FreeTree(); }

void ScriptFile::FreeTree() {
  ScriptNode::DeleteTree(root);
  root = nullptr;
}

bool ScriptFile::Load(const std::string& path, std::string_view shownName, StatusLog& log) {
  log.AddLine("Loading " + std::string(shownName) + "...");
  ScriptReader reader(*this, log);
  if (!reader.OpenInput(path)) return false;
  FreeTree();
  lineNumber = 0;
  errorCount = 0;
  bytesRead = 0;
  root = ScriptNode::NewRoot();
  root->parseState = kTopLevel;
  if (!reader.Parse(root)) {
    FreeTree();
    return false;
  }
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
  return true;
}
