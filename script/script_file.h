// A script document: it owns one tree and knows the counters of its last load.
//
// A ScriptFile always holds a tree (an empty root at first); it can be moved
// but not copied, and its nodes live exactly as long as it does. LoadBuffer
// reads bytes of the brace-structured format into a new tree, reporting syntax
// errors as "Line %d: %s" lines (at most 16) and keeping everything read
// around them (app/files/script_file_io.h reads a file the same way).
// Write puts the tree, with the generator comment as its first line, into an
// output sink or a string (app/files/script_file_io.h writes it to a file).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "script/script_node.h"
#include "script/status_log.h"

class OutputSink;
class ScriptOutput;
class ByteSource;
class ScriptReader;

class ScriptFile {
 public:
  enum class LoadResult {
    kLoaded,
    kLoadedWithErrors,  // errorCount syntax errors were reported and skipped
    kUnreadable,        // nothing was read: the tree is empty
  };

  ScriptFile();
  ~ScriptFile();
  // The moved-from file is left with an empty tree of its own.
  ScriptFile(ScriptFile&& other);
  ScriptFile& operator=(ScriptFile&& other) noexcept;
  ScriptFile(const ScriptFile&) = delete;
  ScriptFile& operator=(const ScriptFile&) = delete;

  LoadResult LoadBuffer(std::string_view bytes, std::string_view shownName, StatusLog& log);
  // LoadBuffer without its first line, the loading line.
  LoadResult ReadBuffer(std::string_view bytes, StatusLog& log);
  // The same from a source read block by block; kUnreadable (an empty tree),
  // after "File input error at N bytes.", when reading it failed.
  LoadResult ReadSource(ByteSource& source, StatusLog& log);
  // "Loading NAME...", the line a load starts with.
  static std::string LoadingLine(std::string_view shownName);
  // False when a write to the sink failed.
  bool Write(OutputSink& sink, std::string_view generator) const;
  void Write(std::string& text, std::string_view generator) const;
  // Replaces the tree by an empty one.
  void FreeTree();
  // From now on, loads note the line each node's key was read on, for messages
  // that point into a file (off by default: a save needs no such thing). These
  // are the lines an editor shows (every LF, CR LF or lone CR ends one), which
  // the reader's own "Line %d" count is not: it takes a run of line ends as one.
  void KeepLines() { keepLines_ = true; }
  // The line a node of the last load was read on; 0 when lines are not kept
  // or the node was built in code.
  uint32_t LineOf(const ScriptNode* node) const;
  // The first kKeptSyntaxErrors syntax errors of the last load, when lines are
  // kept (the log shows the first 16); errorCount counts them all.
  static constexpr size_t kKeptSyntaxErrors = 100;
  struct SyntaxError {
    uint32_t line;
    std::string message;
  };
  const std::vector<SyntaxError>& syntaxErrors() const { return syntaxErrors_; }

  ScriptNode& root() { return *root_; }
  const ScriptNode& root() const { return *root_; }

  uint32_t lineNumber = 0;
  uint32_t errorCount = 0;
  uint64_t bytesRead = 0;  // single-byte reads of the last load, the one meeting the end included

 private:
  LoadResult Read(ScriptReader& reader, StatusLog& log);
  void WriteTo(ScriptOutput& out, std::string_view generator) const;

  friend class ScriptReader;

  std::unique_ptr<ScriptArena> arena_;
  ScriptNode* root_;
  bool keepLines_ = false;
  std::unordered_map<const ScriptNode*, uint32_t> lines_;
  std::vector<SyntaxError> syntaxErrors_;
};
