// The status log of the command line: every line goes to standard output as it
// comes, flushed at once.
#pragma once

#include <cstdio>

#include "script/status_log.h"

class ConsoleLog : public StatusLog {
 public:
  void AddLine(std::string_view text) override {
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
  }
  void Clear() override {}
};
