// Start-up: the reference data loaded and then checked (see reference_check.h).
// Each error the checks find becomes a status line "FILE:LINE: error: ..." (at
// most 100 per file, then "... and N more") and ends start-up as a part that
// cannot be loaded does: the part of the first one is returned, and the
// program shows that part's message. Warnings are left to `quillmere check-data`.
#pragma once

#include <optional>

#include "refdata/reference_data.h"

std::optional<ReferencePart> LoadReferenceData(ReferenceData& data, StatusLog& log,
                                               const ReferenceBuffers& buffers);
