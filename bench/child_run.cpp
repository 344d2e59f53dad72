#include "bench/child_run.h"

#include <fcntl.h>
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace {

constexpr int kExecFailed = 127;

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6; }

// In the child: only async-signal-safe calls between fork and exec.
[[noreturn]] void ExecQuietly(char* const* argv, bool dropErrors) {
  const int null = open("/dev/null", O_WRONLY);
  if (null >= 0) dup2(null, STDOUT_FILENO);
  if (null >= 0 && dropErrors) dup2(null, STDERR_FILENO);
  execv(argv[0], argv);
  _exit(kExecFailed);
}

}  // namespace

ChildRun RunChild(const std::vector<std::string>& args, bool dropErrors) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  ChildRun run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) ExecQuietly(argv.data(), dropErrors);
  if (pid < 0) return run;

  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return run;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  run.exitedWithZero = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  run.peakRssBytes = static_cast<uint64_t>(usage.ru_maxrss) * 1024;  // reported in KiB
  return run;
}

uint64_t ResidentBytes() {
  unsigned long long totalPages = 0;
  unsigned long long residentPages = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (!statm) return 0;
  const int read = std::fscanf(statm, "%llu %llu", &totalPages, &residentPages);
  std::fclose(statm);
  if (read != 2) return 0;
  return residentPages * static_cast<uint64_t>(sysconf(_SC_PAGESIZE));
}

void ReleaseFreedMemory() { malloc_trim(0); }
