// The status log of the command line: every line goes to standard output (or
// the stream given) as it comes, flushed at once.
#pragma once

#include <cstdio>

#include "script/status_log.h"

class ConsoleLog : public StatusLog {
 public:
  explicit ConsoleLog(std::FILE* stream = stdout) : stream_(stream) {}
  void AddLine(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stream_);
    std::fputc('\n', stream_);
    std::fflush(stream_);
  }
  void Clear() override {}

 private:
  std::FILE* stream_;
};
