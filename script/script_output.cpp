#include "script/script_output.h"

#include <algorithm>

ScriptOutput::ScriptOutput(OutputSink& sink) : sink_(&sink) { buffer_.resize(kFlushSize); }

// With a sink the buffer is written out and used again; without one it grows.
void ScriptOutput::MakeRoom(size_t n) {
  if (sink_) Flush();
  if (buffer_.size() - used_ < n) buffer_.resize(std::max(buffer_.size() * 2, used_ + n));
}

void ScriptOutput::Flush() {
  written_ &= sink_->Write({buffer_.data(), used_});
  used_ = 0;
}

bool ScriptOutput::Finish() {
  if (sink_) Flush();
  return written_;
}

void ScriptOutput::Indent(int32_t times) {
  static constexpr std::string_view kSpaces = "                                                                ";
  for (size_t left = times > 0 ? size_t{4} * static_cast<size_t>(times) : 0; left > 0;) {
    const size_t n = std::min(left, kSpaces.size());
    Put(kSpaces.substr(0, n));
    left -= n;
  }
}
