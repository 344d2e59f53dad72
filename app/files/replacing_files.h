// The files of one run that take their destinations' places together.
//
// Each is opened (its temporary created) before the run does its work, then
// written. At the end Finish writes every temporary through to the disk, so
// that a full disk or a failed write leaves every destination as it was; then
// Replace moves them into place in the order they were opened. Should a move
// still fail, the files after it are not moved, and a status line tells which
// files were written and which not.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/core/run_outputs.h"
#include "app/files/replacing_file.h"
#include "script/status_log.h"

class ReplacingFiles : public RunOutputs {
 public:

  // The file replacing path: the one opened before for the same path, or a new
  // one, once the temporaries that interrupted runs left in its folder are
  // removed (a status line each); nullptr, with the reason in *error, when
  // path cannot be replaced or its temporary cannot be created.
  ReplacingFile* Open(const std::string& path, StatusLog& log, std::string* error) override;
  // Finishes every file; false after the line "Could not write PATH" for the
  // first that failed, every temporary then being removed.
  bool Finish(StatusLog& log) override;
  // Moves every finished file into place.
  Replaced Replace(StatusLog& log) override;
  // Finish, then Replace: whether every file is in place.
  bool Commit(StatusLog& log) { return Finish(log) && Replace(log) == Replaced::kAll; }
  // Removes every temporary not yet in place.
  void Discard() override;

 private:
  struct Output {
    std::string path;
    ReplacingFile file;
  };

  std::vector<std::unique_ptr<Output>> outputs_;
};
