#include "app/core/data_findings.h"

#include <utility>

#include "convert/reference_check.h"
#include "refdata/reference_data.h"

std::vector<DataFinding> DataFindings(const ReferenceBuffers& buffers) {
  LineCollector loading;
  ReferenceData data;
  std::vector<DataFinding> findings;
  for (ReferencePart part : data.LoadEach(loading, buffers))
    if (part != ReferencePart::kProvinces) findings.push_back({true, data.PathOf(part), 0, "the file cannot be read"});
  for (DataFinding& finding : CheckReferenceData(data)) findings.push_back(std::move(finding));
  return findings;
}
