// What a conversion reports.
#pragma once

enum class ConversionResult {
  kConverted,
  kNotASave,           // no top-level "header" holding "pop"
  kNoTagTable,         // Countries.txt has no tag_conversion_table
  kNoMergeTable,       // Countries.txt has no mother_merge_table (whatever else it lacks)
  kAssignmentAborted,  // the provinces left without an owner were not all placed
};
