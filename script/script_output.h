// Where the writer's text goes: a file, written through a large buffer, or a
// string in memory. A file is first written under a temporary name beside its
// destination and renamed over it only by a successful Commit, so a failed or
// interrupted save never damages an existing file.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

class ScriptOutput {
 public:
  ScriptOutput() = default;  // collects into text()
  ~ScriptOutput();
  ScriptOutput(const ScriptOutput&) = delete;
  ScriptOutput& operator=(const ScriptOutput&) = delete;

  // Starts writing a file that will replace path; false when it cannot be created.
  bool Open(const std::string& path);
  // Writes what is buffered, closes the file and moves it into place. False when
  // any write, the close or the rename failed; the destination is then untouched.
  bool Commit();

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
  void Discard();

  std::string buffer_;
  std::FILE* file_ = nullptr;
  std::string destination_;
  std::string temporary_;
  bool failed_ = false;
};
