// Where written text goes: a file, a stream, a buffer of the caller's.
#pragma once

#include <string_view>

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // False when the bytes could not all be written.
  virtual bool Write(std::string_view bytes) = 0;
};
