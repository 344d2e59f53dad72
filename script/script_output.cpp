#include "script/script_output.h"

#include <filesystem>
#include <system_error>

#include "script/number_format.h"

ScriptOutput::~ScriptOutput() { Discard(); }

bool ScriptOutput::Open(const std::string& path) {
  Discard();
  destination_ = path;
  temporary_ = path + ".part";
  file_ = std::fopen(temporary_.c_str(), "wb");
  failed_ = false;
  buffer_.clear();
  buffer_.reserve(kFlushSize + 4096);
  return file_ != nullptr;
}

void ScriptOutput::Flush() {
  if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), file_) != buffer_.size())
    failed_ = true;
  buffer_.clear();
}

bool ScriptOutput::Commit() {
  if (!file_) return false;
  Flush();
  failed_ |= std::fflush(file_) != 0;
  failed_ |= std::fclose(file_) != 0;
  file_ = nullptr;
  if (!failed_) {
    std::error_code ec;
    std::filesystem::rename(temporary_, destination_, ec);
    failed_ = static_cast<bool>(ec);
  }
  if (failed_) {
    std::remove(temporary_.c_str());
    return false;
  }
  temporary_.clear();
  return true;
}

void ScriptOutput::Discard() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  std::remove(temporary_.c_str());
}

void ScriptOutput::Indent(int32_t times) {
  for (int32_t i = 0; i < times; ++i) buffer_.append("    ", 4);
}

void ScriptOutput::PutNumber(double value) {
  char text[kNumberTextSize];
  Put(std::string_view(text, FormatNumber(value, text)));
}
