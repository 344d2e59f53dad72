#include "script/script_output.h"

#include "script/number_format.h"

ScriptOutput::ScriptOutput(OutputSink& sink) : sink_(&sink) { buffer_.reserve(kFlushSize + 4096); }

void ScriptOutput::Flush() {
  written_ &= sink_->Write(buffer_);
  buffer_.clear();
}

bool ScriptOutput::Finish() {
  if (sink_) Flush();
  return written_;
}

void ScriptOutput::Indent(int32_t times) {
  for (int32_t i = 0; i < times; ++i) buffer_.append("    ", 4);
}

void ScriptOutput::PutNumber(double value) {
  char text[kNumberTextSize];
  Put(std::string_view(text, FormatNumber(value, text)));
}
