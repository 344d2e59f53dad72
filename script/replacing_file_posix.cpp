// ReplacingFile on POSIX systems.
#ifndef _WIN32
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "script/replacing_file.h"
#include "script/replacing_file_common.h"

namespace {

// Links followed before a path counts as a loop, as the system counts them.
constexpr int kMaxLinks = 40;

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The path a chain of symbolic links ends at; path itself when it is no link.
std::string FollowLinks(std::string path) {
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char link[PATH_MAX];
    const ssize_t n = readlink(path.c_str(), link, sizeof link);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof link) return path;
    const std::string next(link, static_cast<size_t>(n));
    path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
  }
  return path;
}

std::optional<std::string> ProblemOf(const std::string& shown, const std::string& target,
                                     const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return RefusalMessage(shown, Refusal::kFolder);
  if (!S_ISREG(info.st_mode)) return RefusalMessage(shown, Refusal::kNotRegular);
  if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
    return RefusalMessage(shown, Refusal::kReadOnly);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplacingFile::Problem(const std::string& path) {
  const std::string target = FollowLinks(path);
  struct stat info;
  if (stat(target.c_str(), &info) != 0) return std::nullopt;
  return ProblemOf(path, target, info);
}

bool ReplacingFile::Open(const std::string& path, std::string* error) {
  Discard();
  failed_ = false;
  target_ = FollowLinks(path);
  struct stat info;
  const bool exists = stat(target_.c_str(), &info) == 0;
  if (exists) {
    if (std::optional<std::string> problem = ProblemOf(path, target_, info)) {
      *error = std::move(*problem);
      return false;
    }
  }
  const std::string folder = FolderOf(target_);
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = folder + "/" + TemporaryFileName('.', static_cast<uint64_t>(getpid()));
    fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    *error = "Could not open " + path + " for output";
    return false;
  }
  slot_ = RememberTemporary(temporary_);
  if (exists) {
    // The owner first: changing it can clear the set-id bits that the mode restores.
    if (info.st_uid != geteuid() || info.st_gid != getegid())
      (void)!fchown(fd_, info.st_uid, info.st_gid);
    failed_ |= fchmod(fd_, info.st_mode & 07777) != 0;
  }
  return true;
}

bool ReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty() && !failed_) {
    const ssize_t n = write(fd_, bytes.data(), bytes.size());
    if (n > 0)
      bytes.remove_prefix(static_cast<size_t>(n));
    else if (n < 0 && errno != EINTR)
      failed_ = true;
  }
  return !failed_;
}

bool ReplacingFile::Commit() {
  if (fd_ < 0) return false;
  failed_ |= close(fd_) != 0;
  fd_ = -1;
  if (!failed_) failed_ = std::rename(temporary_.c_str(), target_.c_str()) != 0;
  if (!failed_) temporary_.clear();
  Discard();
  return !failed_;
}

void ReplacingFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
  ForgetTemporary(slot_);
  slot_ = -1;
}
#endif
