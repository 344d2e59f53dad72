// Repeated runs of one command line as a child process: the wall and processor
// times of every run and the largest peak memory of any of them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/run_times.h"

struct ProcessFigures {
  RunTimes times;
  RunTimes cpuTimes;
  uint64_t peakRssBytes = 0;
  bool allSucceeded = true;
};

ProcessFigures MeasureProcess(const std::vector<std::string>& args, int repeat,
                              bool dropErrors = false);
