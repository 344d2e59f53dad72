// The report of a saved conversion in Markdown (see run_report.h), for players
// to read and to post where they ask about a conversion.
#pragma once

#include <string>

#include "convert/run_report.h"

std::string MarkdownReport(const RunReport& report);
