// Everything worth knowing about a set of reference data, as `quillmere
// check-data` prints it (one FindingLine each) and the page shows it: a file
// that cannot be read, then the findings of the checks (reference_check.h),
// errors and warnings.
#pragma once

#include <vector>

#include "refdata/data_finding.h"
#include "refdata/reference_buffers.h"

std::vector<DataFinding> DataFindings(const ReferenceBuffers& buffers);
