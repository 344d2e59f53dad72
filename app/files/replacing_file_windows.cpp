// ReplacingFile on Windows.
#ifdef _WIN32
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "app/files/replacing_file.h"
#include "app/files/replacing_file_common.h"

namespace {

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  return path.substr(0, slash);
}

std::optional<std::string> ProblemOf(const std::string& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RefusalMessage(path, Refusal::kFolder);
  if (attributes & FILE_ATTRIBUTE_DEVICE) return RefusalMessage(path, Refusal::kNotRegular);
  if (attributes & FILE_ATTRIBUTE_READONLY) return RefusalMessage(path, Refusal::kReadOnly);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReplacingFile::Problem(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return ProblemOf(path, attributes);
}

bool ReplacingFile::Open(const std::string& path, std::string* error) {
  Discard();
  failed_ = false;
  finished_ = false;
  target_ = path;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  replacing_ = attributes != INVALID_FILE_ATTRIBUTES;
  if (replacing_) {
    if (std::optional<std::string> problem = ProblemOf(path, attributes)) {
      *error = std::move(*problem);
      return false;
    }
  }
  const std::string folder = FolderOf(path);
  for (int attempt = 0; attempt < 100 && !handle_; ++attempt) {
    temporary_ = folder + "\\" + TemporaryFileName(kTemporaryPrefix, GetCurrentProcessId());
    HANDLE h = CreateFileA(temporary_.c_str(), GENERIC_WRITE, FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE)
      handle_ = h;
    else if (GetLastError() != ERROR_FILE_EXISTS)
      break;
  }
  if (!handle_) {
    temporary_.clear();
    *error = "Could not open " + path + " for output";
    return false;
  }
  slot_ = RememberTemporary(temporary_);
  return true;
}

bool ReplacingFile::Write(std::string_view bytes) {
  while (!bytes.empty() && !failed_) {
    const DWORD chunk = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(static_cast<HANDLE>(handle_), bytes.data(), chunk, &written, nullptr) || written == 0)
      failed_ = true;
    bytes.remove_prefix(written);
  }
  return !failed_;
}

bool ReplacingFile::Finish() {
  if (finished_) return true;
  if (!handle_) return false;
  failed_ |= !FlushFileBuffers(static_cast<HANDLE>(handle_));
  failed_ |= !CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  if (failed_) Discard();
  finished_ = !failed_;
  return finished_;
}

bool ReplacingFile::Commit() {
  if (!Finish()) return false;
  // ReplaceFile keeps the replaced file's attributes and security; a new file is
  // only moved, and the move is on the disk when it returns.
  const BOOL moved =
      replacing_ ? ReplaceFileA(target_.c_str(), temporary_.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                 : MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_WRITE_THROUGH);
  failed_ = !moved;
  if (!failed_) temporary_.clear();
  Discard();
  return !failed_;
}

void ReplacingFile::Discard() {
  if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
  handle_ = nullptr;
  if (!temporary_.empty()) DeleteFileA(temporary_.c_str());
  temporary_.clear();
  finished_ = false;
  ForgetTemporary(slot_);
  slot_ = -1;
}

bool RemoveUnheldFile(const std::string& path) {
  // Opening it shared with no one fails while a process holds it; closing removes it.
  const HANDLE h = CreateFileA(path.c_str(), DELETE, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}
#endif
