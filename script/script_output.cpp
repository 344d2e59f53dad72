#include "script/script_output.h"

#include "script/number_format.h"

bool ScriptOutput::Open(const std::string& path, std::string* error) {
  open_ = file_.Open(path, error);
  buffer_.clear();
  buffer_.reserve(kFlushSize + 4096);
  return open_;
}

void ScriptOutput::Flush() {
  file_.Write(buffer_);
  buffer_.clear();
}

bool ScriptOutput::Commit() {
  if (!open_) return false;
  open_ = false;
  Flush();
  return file_.Commit();
}

void ScriptOutput::Indent(int32_t times) {
  for (int32_t i = 0; i < times; ++i) buffer_.append("    ", 4);
}

void ScriptOutput::PutNumber(double value) {
  char text[kNumberTextSize];
  Put(std::string_view(text, FormatNumber(value, text)));
}
