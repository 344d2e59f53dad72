// Where the writer's text goes: a file, written through a large buffer, or a
// string in memory. A file is written as a ReplacingFile: it takes the place of
// its destination only through a successful Commit, so a failed or interrupted
// save never damages an existing file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/replacing_file.h"

class ScriptOutput {
 public:
  ScriptOutput() = default;  // collects into text()
  ScriptOutput(const ScriptOutput&) = delete;
  ScriptOutput& operator=(const ScriptOutput&) = delete;

  // Starts writing a file that will replace path; false, with the reason in
  // *error, when path cannot be replaced or the file cannot be created.
  bool Open(const std::string& path, std::string* error);
  // Writes what is buffered and moves the file into place. False when any
  // write or the move failed; the destination is then untouched.
  bool Commit();

  void Put(std::string_view text) {
    buffer_.append(text);
    if (open_ && buffer_.size() >= kFlushSize) Flush();
  }
  void Put(char c) { buffer_.push_back(c); }
  void Indent(int32_t times);
  void PutNumber(double value);

  const std::string& text() const { return buffer_; }

 private:
  static constexpr size_t kFlushSize = 1 << 20;

  void Flush();

  std::string buffer_;
  ReplacingFile file_;
  bool open_ = false;
};
