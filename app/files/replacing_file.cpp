// What the implementations of ReplacingFile share.
#include "app/files/replacing_file_common.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "app/files/replacing_file.h"
#include "app/files/same_file.h"

namespace {

// A handful of slots is plenty: a run writes at most three files at once. A
// temporary that finds no free slot is still removed on every failure, only
// not on a signal.
constexpr int kSlots = 8;
constexpr size_t kMaxPath = 4096;

struct Slot {
  std::atomic<bool> used{false};
  std::atomic<bool> ready{false};  // path is complete
  char path[kMaxPath];
};
Slot slots[kSlots];

void RemoveAndEnd(int signal) {
  for (Slot& slot : slots)
    if (slot.ready.load()) {
#ifdef _WIN32
      _unlink(slot.path);
#else
      unlink(slot.path);
#endif
    }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

void RemoveOn(int signal) {
#ifdef _WIN32
  std::signal(signal, RemoveAndEnd);
#else
  struct sigaction action {};
  if (sigaction(signal, nullptr, &action) == 0 && action.sa_handler == SIG_IGN) return;
  action = {};
  action.sa_handler = RemoveAndEnd;
  sigemptyset(&action.sa_mask);
  sigaction(signal, &action, nullptr);
#endif
}

// Whether name is one TemporaryFileName gives, hexadecimal digits in lower case.
bool IsTemporaryName(const std::string& name) {
  static constexpr std::string_view kStem = "quillmere-", kEnd = ".tmp";
  constexpr size_t kDigits = 12;
  if (name.size() != 1 + kStem.size() + kDigits + kEnd.size() || name[0] != kTemporaryPrefix) return false;
  if (name.compare(1, kStem.size(), kStem) != 0 || name.compare(name.size() - kEnd.size(), kEnd.size(), kEnd) != 0)
    return false;
  for (size_t i = 1 + kStem.size(); i < 1 + kStem.size() + kDigits; ++i) {
    const char c = name[i];
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

// A temporary this old is no longer being written by a run that is alive.
constexpr std::chrono::minutes kStaleAge{10};

}  // namespace

std::string RefusalMessage(const std::string& path, Refusal why) {
  switch (why) {
    case Refusal::kFolder:
      return "Could not write " + path + ": it is a folder.";
    case Refusal::kNotRegular:
      return "Could not write " + path + ": it is not a regular file (a device, a pipe or a socket).";
    case Refusal::kReadOnly:
      break;
  }
  return "Could not write " + path + ": the file is read-only.";
}

std::string TemporaryFileName(char prefix, uint64_t processId) {
  static std::atomic<uint64_t> counter{0};
  uint64_t x = processId * 0x9E3779B97F4A7C15ull + ++counter +
               static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
  x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
  x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
  x ^= x >> 31;
  char name[32];
  std::snprintf(name, sizeof name, "%cquillmere-%012llx.tmp", prefix,
                static_cast<unsigned long long>(x & 0xFFFFFFFFFFFFull));
  return name;
}

int RememberTemporary(const std::string& path) {
  if (path.size() >= kMaxPath) return -1;
  for (int i = 0; i < kSlots; ++i) {
    bool expected = false;
    if (!slots[i].used.compare_exchange_strong(expected, true)) continue;
    std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
    slots[i].ready.store(true);
    return i;
  }
  return -1;
}

void ForgetTemporary(int slot) {
  if (slot < 0) return;
  slots[slot].ready.store(false);
  slots[slot].used.store(false);
}

void ReplacingFile::RemoveTemporariesOnSignals() {
  RemoveOn(SIGINT);
  RemoveOn(SIGTERM);
#ifndef _WIN32
  RemoveOn(SIGHUP);
#endif
}

std::vector<std::string> ReplacingFile::RemoveStaleTemporaries(const std::string& path) {
  namespace fs = std::filesystem;
  const fs::path folder = fs::path(LinkTarget(path)).parent_path();
  const auto oldest = fs::file_time_type::clock::now() - kStaleAge;
  std::vector<fs::path> stale;
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code entryError;
    if (!IsTemporaryName(it->path().filename().string()) ||
        it->symlink_status(entryError).type() != fs::file_type::regular)
      continue;
    const fs::file_time_type written = it->last_write_time(entryError);
    if (!entryError && written < oldest) stale.push_back(folder / it->path().filename());
  }
  std::vector<std::string> removed;
  for (const fs::path& file : stale)
    if (RemoveUnheldFile(file.string())) removed.push_back(file.string());
  return removed;
}
