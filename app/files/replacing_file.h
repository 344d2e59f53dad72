// A file that takes the place of another only once it is complete.
//
// Open checks the destination and creates a new temporary file beside it,
// under a short name of its own that no other file has (created exclusively,
// never through a link). Finish writes the temporary through to the disk and
// closes it; Commit (after Finish, which it runs when not yet done) moves the
// temporary over the destination and writes the folder's new entry through to
// the disk, so that a power cut cannot bring back an empty or half file. Any
// failure, Discard, the destructor and (after RemoveTemporariesOnSignals) an
// interrupting signal remove the temporary instead, so an existing destination
// is never left changed or half written.
//
// A temporary is named ".quillmere-" (on Windows "~quillmere-"), twelve
// hexadecimal digits and ".tmp". One that a killed process left behind is
// removed by RemoveStaleTemporaries once it is old and no process holds it.
//
// Only a regular file, or a name where nothing stands yet, is replaced. A
// symbolic link is followed: the file it leads to is replaced and the link
// stays. A replaced file keeps its permission bits (and, where the system lets
// us, its owner). A folder, a device, a pipe or a read-only file is refused.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "script/output_sink.h"

class ReplacingFile : public OutputSink {
 public:
  ReplacingFile() = default;
  ~ReplacingFile() { Discard(); }
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  // Why a new file cannot take the place of path (a message naming it), or nothing.
  static std::optional<std::string> Problem(const std::string& path);

  // Creates the temporary for path. False, with a message in *error, when path
  // cannot be replaced or the temporary cannot be created.
  bool Open(const std::string& path, std::string* error);
  // False when the bytes could not all be written (the file is then bad).
  bool Write(std::string_view bytes) override;
  // Writes the temporary through to the disk and closes it; false when
  // anything failed, in which case the temporary is gone.
  bool Finish();
  // Finishes the temporary and moves it into place; false when anything
  // failed, in which case the temporary is gone and the destination untouched.
  bool Commit();
  // Removes an uncommitted temporary.
  void Discard();

  // From now on SIGINT, SIGTERM and SIGHUP first remove every temporary of the
  // process, then end it as they would have. Signals that are ignored stay so.
  static void RemoveTemporariesOnSignals();

  // Removes the temporaries that interrupted runs left in the folder that a
  // file replacing path is written into: those older than ten minutes that no
  // process holds open. Returns their paths.
  static std::vector<std::string> RemoveStaleTemporaries(const std::string& path);

 private:
  std::string target_;     // the file that is replaced (a link's final target)
  std::string temporary_;  // empty when nothing is pending
  int slot_ = -1;          // the temporary's place in the signal clean-up list
  bool failed_ = false;
  bool finished_ = false;  // the temporary is closed and complete
#ifdef _WIN32
  void* handle_ = nullptr;
  bool replacing_ = false;  // whether target_ exists
#else
  int fd_ = -1;
#endif
};
