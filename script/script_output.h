// Where the writer's text goes: a sink (a file, a stream), written through a
// large buffer, or a string in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "script/output_sink.h"

class ScriptOutput {
 public:
  ScriptOutput() = default;  // collects into text()
  explicit ScriptOutput(OutputSink& sink);
  ScriptOutput(const ScriptOutput&) = delete;
  ScriptOutput& operator=(const ScriptOutput&) = delete;

  // Writes what is buffered into the sink; false when any write to it failed.
  bool Finish();

  void Put(std::string_view text) {
    buffer_.append(text);
    if (sink_ && buffer_.size() >= kFlushSize) Flush();
  }
  void Put(char c) { buffer_.push_back(c); }
  void Indent(int32_t times);
  void PutNumber(double value);

  const std::string& text() const { return buffer_; }

 private:
  static constexpr size_t kFlushSize = 1 << 20;

  void Flush();

  std::string buffer_;
  OutputSink* sink_ = nullptr;
  bool written_ = true;
};
