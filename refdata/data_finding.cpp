#include "refdata/data_finding.h"

std::string FindingLine(const DataFinding& finding) {
  std::string line = finding.file;
  if (finding.line > 0) {
    line += ':';
    line += std::to_string(finding.line);
  }
  line += finding.error ? ": error: " : ": warning: ";
  line += finding.message;
  return line;
}
