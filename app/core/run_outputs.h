// The outputs of a run as the run sees them: sinks that the front end provides
// (files, for the front ends that write files) and that take their
// destinations' places together at the end, the scenario last.
#pragma once

#include <string>

#include "script/output_sink.h"
#include "script/status_log.h"

class RunOutputs {
 public:
  enum class Replaced { kAll, kSome, kNone };

  virtual ~RunOutputs() = default;
  // The output for path: the one opened before for the same path, or a new
  // one; nullptr, with the reason in *error, when there can be none.
  virtual OutputSink* Open(const std::string& path, StatusLog& log, std::string* error) = 0;
  // Completes every output; false after a status line for the first that failed.
  virtual bool Finish(StatusLog& log) = 0;
  // Puts every completed output in place.
  virtual Replaced Replace(StatusLog& log) = 0;
  // Drops every output not yet in place.
  virtual void Discard() = 0;
};
