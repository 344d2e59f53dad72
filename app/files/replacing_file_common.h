// What the implementations of ReplacingFile share: the messages of refusal, the
// names of temporaries, and the temporaries a signal removes before the process ends.
#pragma once

#include <cstdint>
#include <string>

// Why a file may not be replaced.
enum class Refusal { kFolder, kNotRegular, kReadOnly };
std::string RefusalMessage(const std::string& path, Refusal why);

// The first character of a temporary's name: hidden on POSIX systems.
#ifdef _WIN32
inline constexpr char kTemporaryPrefix = '~';
#else
inline constexpr char kTemporaryPrefix = '.';
#endif

// A short name for a temporary, new at every call: the prefix, then
// "quillmere-", twelve hexadecimal digits and ".tmp".
std::string TemporaryFileName(char prefix, uint64_t processId);

// Removes a file unless a process holds it open (as each holds its own
// temporaries); whether it was removed.
bool RemoveUnheldFile(const std::string& path);

// Keeps path for removal on a signal; returns its slot, or -1 when none is free.
int RememberTemporary(const std::string& path);
// The temporary of slot is gone or in place; a signal no longer removes it.
void ForgetTemporary(int slot);
