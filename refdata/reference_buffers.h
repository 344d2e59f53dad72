// The reference data as bytes, before it is read: what a front end hands to
// ReferenceData::Load, from a data folder or from anywhere else. Each file
// carries the name that its status lines and findings show (the path it was
// read from), also when it was not there.
#pragma once

#include <optional>
#include <string>

struct ReferenceBuffer {
  enum class State {
    kRead,        // bytes holds the whole file
    kMissing,     // there is no such file
    kUnopened,    // there is one, but it could not be opened
    kUnreadable,  // it is not a regular file (a pipe, a device), or reading it failed
  };

  std::string name;
  State state = State::kMissing;
  std::string bytes;
};

struct ReferenceBuffers {
  ReferenceBuffer provinces;  // Provinces.txt; the built-in table when it is missing
  ReferenceBuffer countries;
  ReferenceBuffer bases;
  ReferenceBuffer data;
  // The target game's province names (see province_names.h), when known.
  std::optional<std::string> provinceNames;
};
