// What every conversion reads of Countries.txt and Data.txt, in typed form:
// read once, when the reference data is loaded, and unchanged afterwards.
#pragma once

#include "refdata/settings.h"
#include "refdata/tag_tables.h"

struct ConversionTables {
  TagTables tags;
  ConversionSettings settings;

  bool operator==(const ConversionTables&) const = default;
};
