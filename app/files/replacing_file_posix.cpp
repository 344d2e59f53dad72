// ReplacingFile on POSIX systems.
#ifndef _WIN32
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "app/files/replacing_file.h"
#include "app/files/replacing_file_common.h"
#include "app/files/same_file.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::optional<std::string> ProblemOf(const std::string& shown, const std::string& target,
                                     const struct stat& info) {
  if (S_ISDIR(info.st_mode)) return RefusalMessage(shown, Refusal::kFolder);
  if (!S_ISREG(info.st_mode)) return RefusalMessage(shown, Refusal::kNotRegular);
  if ((info.st_mode & 0222) == 0 || access(target.c_str(), W_OK) != 0)
    return RefusalMessage(shown, Refusal::kReadOnly);
  return std::nullopt;
}

// Holds back the signals that remove temporaries while one is created and not
// yet known to their handler, so that none can be left behind in between.
class SignalsHeldBack {
 public:
  SignalsHeldBack() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &previous_);
  }
  ~SignalsHeldBack() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  SignalsHeldBack(const SignalsHeldBack&) = delete;
  SignalsHeldBack& operator=(const SignalsHeldBack&) = delete;

 private:
  sigset_t previous_;
};

// Writes a folder's entries through to the disk. Some file systems cannot;
// the file itself is then as safe as they make it.
void SyncFolder(const std::string& folder) {
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);
  close(fd);
}

}  // namespace

std::optional<std::string> ReplacingFile::Problem(const std::string& path) {
  const std::string target = LinkTarget(path);
  struct stat info;
  if (stat(target.c_str(), &info) != 0) return std::nullopt;
  return ProblemOf(path, target, info);
}

bool ReplacingFile::Open(const std::string& path, std::string* error) {
  Discard();
  failed_ = false;
  finished_ = false;
  target_ = LinkTarget(path);
  struct stat info;
  const bool exists = stat(target_.c_str(), &info) == 0;
  if (exists) {
    if (std::optional<std::string> problem = ProblemOf(path, target_, info)) {
      *error = std::move(*problem);
      return false;
    }
  }
  const std::string folder = FolderOf(target_);
  {
    const SignalsHeldBack held;
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
      temporary_ = folder + "/" + TemporaryFileName(kTemporaryPrefix, static_cast<uint64_t>(getpid()));
      fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) break;
    }
    if (fd_ >= 0) slot_ = RememberTemporary(temporary_);
  }
  if (fd_ < 0) {
    temporary_.clear();
    *error = "Could not open " + path + " for output";
    return false;
  }
  // Held while this process lives, so that no other run takes it for one left behind.
  (void)flock(fd_, LOCK_EX | LOCK_NB);
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

bool ReplacingFile::Finish() {
  if (finished_) return true;
  if (fd_ < 0) return false;
  failed_ |= fsync(fd_) != 0;
  failed_ |= close(fd_) != 0;
  fd_ = -1;
  if (failed_) Discard();
  finished_ = !failed_;
  return finished_;
}

bool ReplacingFile::Commit() {
  if (!Finish()) return false;
  failed_ = std::rename(temporary_.c_str(), target_.c_str()) != 0;
  if (!failed_) {
    temporary_.clear();
    SyncFolder(FolderOf(target_));
  }
  Discard();
  return !failed_;
}

void ReplacingFile::Discard() {
  if (fd_ >= 0) close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) unlink(temporary_.c_str());
  temporary_.clear();
  finished_ = false;
  ForgetTemporary(slot_);
  slot_ = -1;
}

bool RemoveUnheldFile(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool removed = flock(fd, LOCK_EX | LOCK_NB) == 0 && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
}
#endif
