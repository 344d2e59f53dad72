#include "bench/process_figures.h"

#include <algorithm>

#include "bench/child_run.h"

ProcessFigures MeasureProcess(const std::vector<std::string>& args, int repeat, bool dropErrors) {
  ProcessFigures figures;
  for (int i = 0; i < repeat; ++i) {
    const ChildRun run = RunChild(args, dropErrors);
    figures.allSucceeded &= run.exitedWithZero;
    figures.times.Add(run.seconds);
    figures.cpuTimes.Add(run.cpuSeconds);
    figures.peakRssBytes = std::max(figures.peakRssBytes, run.peakRssBytes);
  }
  return figures;
}
