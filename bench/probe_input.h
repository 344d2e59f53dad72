// What the floor probes share: a whole file in memory and the byte classes of
// the script format (the reader's own: letters, the commercial-at sign and
// some accented Latin-1 letters start words; words go on with digits and "_").
#pragma once

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>

namespace probe {

enum ByteClass : uint8_t { kOther, kWord, kDigit, kSpace, kQuote, kComment };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> c{};
  for (int b = 'A'; b <= 'Z'; ++b) c[b] = c[b + 32] = kWord;
  for (int b = 0xC4; b <= 0xDC; ++b) c[b] = kWord;
  for (int b : {0x40, 0x5F, 0xE4, 0xE5, 0xE9, 0xF4, 0xF6, 0xFC}) c[b] = kWord;
  for (int b = '0'; b <= '9'; ++b) c[b] = kDigit;
  for (int b : {0x20, 0x09, 0x0D, 0x0A}) c[b] = kSpace;
  c['"'] = kQuote;
  c['#'] = kComment;
  return c;
}
inline constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

inline bool InWord(unsigned char c) { return kClasses[c] == kWord || kClasses[c] == kDigit; }

// Whether the program was given its arguments; says how to call it otherwise.
inline bool HasArguments(int argc, int wanted, const char* usage) {
  if (argc == wanted) return true;
  std::fprintf(stderr, "usage: %s\n", usage);
  return false;
}

// A file's bytes mapped into memory, followed by at least one zero byte,
// which ends every scan: the least it takes to have them.
class MappedFile {
 public:
  explicit MappedFile(const char* path) {
    const int fd = open(path, O_RDONLY);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) return;
    size_ = static_cast<size_t>(status.st_size);
    const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    mapped_ = (size_ / page + 1) * page;  // a page of zeros at least after the bytes
    void* area = mmap(nullptr, mapped_, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (area != MAP_FAILED && size_ > 0 &&
        mmap(area, size_, PROT_READ, MAP_PRIVATE | MAP_FIXED | MAP_POPULATE, fd, 0) == MAP_FAILED) {
      munmap(area, mapped_);
      area = MAP_FAILED;
    }
    close(fd);
    if (area != MAP_FAILED) bytes_ = static_cast<const unsigned char*>(area);
  }
  ~MappedFile() {
    if (bytes_) munmap(const_cast<unsigned char*>(bytes_), mapped_);
  }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  const unsigned char* begin() const { return bytes_ ? bytes_ : kEmpty; }
  const unsigned char* end() const { return begin() + (bytes_ ? size_ : 0); }

 private:
  static constexpr unsigned char kEmpty[1] = {0};
  const unsigned char* bytes_ = nullptr;
  size_t size_ = 0;
  size_t mapped_ = 0;
};

// Past the token that starts at p (a word, a number, a quoted string, or any
// other single byte); p is not at a blank or a comment.
inline const unsigned char* TokenEnd(const unsigned char* p) {
  if (kClasses[*p] == kQuote) {
    ++p;
    while (*p && *p != '"' && *p != '\n' && *p != '\r') ++p;
    return *p == '"' ? p + 1 : p;
  }
  if (!InWord(*p)) return p + 1;
  const unsigned char* start = p;
  while (InWord(*p) || (*p == '.' && kClasses[*start] == kDigit)) ++p;
  return p;
}

// Past the blanks, line ends and comments at p.
inline const unsigned char* SkipSpace(const unsigned char* p) {
  for (;;) {
    if (kClasses[*p] == kSpace) {
      ++p;
    } else if (*p == '#') {
      while (*p && *p != '\n' && *p != '\r') ++p;
    } else {
      return p;
    }
  }
}

// The value of the digits and full stops from p to end, in the simplest way.
inline double NumberAt(const unsigned char* p, const unsigned char* end) {
  static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9};
  uint64_t digits = 0;
  int decimals = -1;
  for (; p < end; ++p) {
    if (*p == '.') {
      decimals = 0;
    } else if (*p >= '0' && *p <= '9') {
      digits = digits * 10 + (*p - '0');
      if (decimals >= 0) ++decimals;
    }
  }
  return static_cast<double>(digits) / (decimals > 0 && decimals < 10 ? kPowers[decimals] : 1.0);
}

}  // namespace probe
