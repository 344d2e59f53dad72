// The machine's load, printed before and after a benchmark: wall times mean
// little when it is above the number of cores, processor times less so.
#pragma once

// One line: the load average over the last minute and the number of cores.
void ReportMachineLoad(const char* when);
