#include "refdata/data_finding.h"

#include "script/escaped_text.h"

std::string FindingLine(const DataFinding& finding) {
  if (finding.StandsForOmitted())
    return "... and " + std::to_string(finding.omittedErrors + finding.omittedWarnings) + " more";
  std::string line = EscapeControlCharacters(finding.file);
  if (finding.line > 0) {
    line += ':';
    line += std::to_string(finding.line);
  }
  line += finding.error ? ": error: " : ": warning: ";
  line += EscapeControlCharacters(finding.message);
  return line;
}
