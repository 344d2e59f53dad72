// Runs a program as a child process and measures it: wall time from start to
// exit, the processor time it used (user and system; unlike the wall time it
// hardly grows when other work shares the machine) and its own peak resident
// memory (from wait4, not the maximum
// over all children). The child's standard output goes to /dev/null, and so does
// its standard error when asked.
//
// The child is started with fork, not vfork or posix_spawn: the kernel folds
// the memory of the process that an exec replaces into the child's peak, and
// after fork that is this process's current memory rather than its peak. The
// caller should still hold little memory when it measures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ChildRun {
  bool exitedWithZero = false;
  double seconds = 0.0;
  double cpuSeconds = 0.0;
  uint64_t peakRssBytes = 0;
};

ChildRun RunChild(const std::vector<std::string>& args, bool dropErrors = false);

// This process's resident memory now, which a child started now may count in its
// peak: it should be small next to the child's own.
uint64_t ResidentBytes();
// Hands the memory this process has freed back to the system (the C library
// keeps large freed blocks otherwise), before children are measured.
void ReleaseFreedMemory();
