#include "bench/machine_load.h"

#include <cstdio>
#include <cstdlib>
#include <thread>

void ReportMachineLoad(const char* when) {
  double load = 0.0;
  if (getloadavg(&load, 1) == 1)
    std::printf("%-16s %8.2f  (load average over 1 minute, %u cores)\n", when, load,
                std::thread::hardware_concurrency());
}
