// Where the writer's text goes: a sink (a file, a stream), written through a
// large buffer, or a string in memory. Text is put straight into the buffer,
// numbers formatted in place.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

#include "script/number_format.h"
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
    if (text.empty()) return;  // its data may be null, which memcpy must not be given
    std::memcpy(Room(text.size()), text.data(), text.size());
    used_ += text.size();
  }
  void Put(char c) {
    *Room(1) = c;
    ++used_;
  }
  void Indent(int32_t times);
  void PutNumber(double value) { used_ += FormatNumber(value, Room(kNumberTextSize)); }

  // Everything put, when there is no sink, handed over: the output is empty
  // afterwards.
  std::string TakeText() {
    buffer_.resize(used_);
    used_ = 0;
    return std::move(buffer_);
  }

 private:
  static constexpr size_t kFlushSize = 1 << 20;

  // Where the next n bytes go.
  char* Room(size_t n) {
    if (buffer_.size() - used_ < n) MakeRoom(n);
    return buffer_.data() + used_;
  }
  void MakeRoom(size_t n);
  void Flush();

  std::string buffer_;  // its first used_ bytes are the text; the rest is room
  size_t used_ = 0;
  OutputSink* sink_ = nullptr;
  bool written_ = true;
};
