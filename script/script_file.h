// A whole script file in memory: its tree and the counters of the last load.
//
// Load reads a file of the brace-structured format into a new tree, reporting
// syntax errors as "Line %d: %s" lines (at most 16) and never failing on them:
// the result is false only when the file cannot be opened or a read fails (a
// folder, a device error), and then no tree is kept. Save writes the tree with
// the generator comment as its first line; it returns false, after saying so in
// the log, when the path cannot be replaced (see ReplacingFile) or the file
// cannot be created or written, and then leaves an existing file at that path
// as it was.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/script_node.h"
#include "script/status_log.h"

class ScriptFile {
 public:
  ScriptFile() = default;
  virtual ~ScriptFile();
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;

  bool Load(const std::string& path, std::string_view shownName, StatusLog& log);
  bool Save(const std::string& path, std::string_view generator, StatusLog& log) const;
  // Releases the tree; root becomes null.
  void FreeTree();

  uint32_t lineNumber = 0;
  uint32_t errorCount = 0;
  uint64_t bytesRead = 0;  // single-byte reads of the last load, the one meeting the end included
  ScriptNode* root = nullptr;
};
