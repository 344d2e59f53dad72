// What a check of the reference data finds: a place in a file and what is
// wrong there. An error is something the conversion would refuse or turn into
// a broken scenario; a warning is worth a look but changes nothing.
//
// A file's findings are kept up to a limit (see FindingList); one more finding
// then stands for those that were not kept, shown as "... and N more".
#pragma once

#include <cstdint>
#include <string>

struct DataFinding {
  bool error;  // for the line of findings not kept: whether one of them is an error
  std::string file;
  uint32_t line;  // 0: the file as a whole
  std::string message;
  // How many errors and warnings of the file this finding stands for, when it
  // is the line of those not kept (else both 0).
  uint64_t omittedErrors = 0;
  uint64_t omittedWarnings = 0;

  bool StandsForOmitted() const { return omittedErrors + omittedWarnings > 0; }
};

// "FILE:LINE: error: message" (or "warning:"; without ":LINE" for line 0),
// control characters of the file name and message escaped so that a finding
// stays one line;
// "... and N more" for the findings not kept.
std::string FindingLine(const DataFinding& finding);
