// The report of a saved conversion as JSON (see run_report.h), the layout of
// report.schema.json beside this file: the same facts as the Markdown report,
// and one record per scenario province.
#pragma once

#include <string>

#include "convert/run_report.h"

std::string JsonReport(const RunReport& report);
