// Durations of repeated runs of one measurement, with the summaries the
// benchmark reports. The best run is the least disturbed by other work on the
// machine; the median shows how noisy the runs were.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

class RunTimes {
 public:
  void Add(double seconds) { seconds_.push_back(seconds); }
  double Best() const { return *std::min_element(seconds_.begin(), seconds_.end()); }
  double Median() const {
    std::vector<double> sorted = seconds_;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }

 private:
  std::vector<double> seconds_;
};

// How long one run took on the wall clock and in processor time (user and
// system) of this process; the latter hardly grows when other work shares the
// machine.
struct RunDuration {
  double wall;
  double cpu;
};

inline double ProcessCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Wall and processor times of repeated runs in this process.
struct InProcessTimes {
  RunTimes wall;
  RunTimes cpu;

  void Add(RunDuration d) {
    wall.Add(d.wall);
    cpu.Add(d.cpu);
  }
};

template <typename F>
RunDuration TimeOf(F&& f) {
  const double cpuStart = ProcessCpuSeconds();
  const auto start = std::chrono::steady_clock::now();
  f();
  const auto end = std::chrono::steady_clock::now();
  return {std::chrono::duration<double>(end - start).count(), ProcessCpuSeconds() - cpuStart};
}
