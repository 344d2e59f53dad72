// What a check of the reference data finds: a place in a file and what is
// wrong there. An error is something the conversion would refuse or turn into
// a broken scenario; a warning is worth a look but changes nothing.
#pragma once

#include <cstdint>
#include <string>

struct DataFinding {
  bool error;
  std::string file;
  uint32_t line;  // 0: the file as a whole
  std::string message;
};

// "FILE:LINE: error: message" (or "warning:"; without ":LINE" for line 0).
std::string FindingLine(const DataFinding& finding);
