// One file of the reference data read whole into a buffer named by its path:
// missing when there is nothing at the path; unreadable when what is there is
// not a regular file (a pipe or a device, which could keep the program
// waiting) or reading it failed; unopened when it cannot be opened.
#pragma once

#include <string>

#include "refdata/reference_buffers.h"

ReferenceBuffer ReadReferenceFile(const std::string& path);
