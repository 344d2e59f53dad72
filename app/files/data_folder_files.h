// The reference data of a data folder, read into the buffers that
// ReferenceData loads: Provinces.txt (when there is one), Countries.txt,
// Bases.txt and Data.txt, each named by its path in the folder.
#pragma once

#include <optional>
#include <string>

#include "refdata/reference_buffers.h"

ReferenceBuffers ReadDataFolder(const std::string& folder,
                                const std::optional<std::string>& gameFolder = std::nullopt);
// Provinces.txt of the folder alone.
ReferenceBuffer ReadTableFile(const std::string& folder);
