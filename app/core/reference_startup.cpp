#include "app/core/reference_startup.h"

#include "convert/reference_check.h"

std::optional<ReferencePart> LoadReferenceData(ReferenceData& data, StatusLog& log,
                                               const ReferenceBuffers& buffers) {
  if (const std::optional<ReferencePart> failed = data.Load(log, buffers)) return failed;
  std::optional<ReferencePart> firstFailed;
  for (const DataFinding& finding : CheckReferenceData(data, FindingList::Kinds::kErrorsOnly)) {
    log.AddLine(FindingLine(finding));
    if (!firstFailed) firstFailed = data.PartOf(finding.file);
  }
  return firstFailed;
}
