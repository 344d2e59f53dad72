// The checks of the reference data as the conversion reads it, for
// `quillmere check-data` and for every start-up (where an error stops the
// program before any conversion).
//
// Countries.txt (a missing table is left to each conversion, which refuses to
// start): each row's tag three letters or digits (error, or a warning for the
// source tag); a source tag listed twice
// in a table (warning: the later row counts); a merge into a country that
// merges on itself, or that no conversion row produces (warnings).
// Data.txt: an unknown top-level key, a setting set twice or of the wrong
// kind, a ratio that is not positive, an ic_mod outside its range, a port
// that the province table does not reach (warnings).
// Bases.txt: a province block whose id the table does not reach (error).
// Provinces.txt, when the table comes from it: the problems found as it was
// read (errors), and a province of the built-in table's map that no row
// reaches (warning). The reader's syntax errors count as errors.
//
// The findings are kept as a FindingList of the given kinds keeps them: at
// most 100 per file, then one "... and N more".
#pragma once

#include <vector>

#include "refdata/data_finding.h"
#include "refdata/finding_list.h"
#include "refdata/reference_data.h"

std::vector<DataFinding> CheckReferenceData(const ReferenceData& data,
                                            FindingList::Kinds kinds = FindingList::Kinds::kAll);
