// Where the writer's text goes: the temporary of a ReplacingFile, written
// through a large buffer, or a string in memory. The file takes the place of
// its destination only once its owner commits it, so a failed or interrupted
// save never damages an existing file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/replacing_file.h"

class ScriptOutput {
 public:
  ScriptOutput() = default;  // collects into text()
  explicit ScriptOutput(ReplacingFile& file);
  ScriptOutput(const ScriptOutput&) = delete;
  ScriptOutput& operator=(const ScriptOutput&) = delete;

  // Writes what is buffered into the file; false when any write to it failed.
  bool Finish();

  void Put(std::string_view text) {
    buffer_.append(text);
    if (file_ && buffer_.size() >= kFlushSize) Flush();
  }
  void Put(char c) { buffer_.push_back(c); }
  void Indent(int32_t times);
  void PutNumber(double value);

  const std::string& text() const { return buffer_; }

 private:
  static constexpr size_t kFlushSize = 1 << 20;

  void Flush();

  std::string buffer_;
  ReplacingFile* file_ = nullptr;
  bool written_ = true;
};
