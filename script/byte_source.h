// Bytes that arrive in pieces (a file read block by block), for the reader to
// parse without holding them all: the script layer itself opens no file.
#pragma once

#include <cstddef>

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Reads up to size bytes into buffer; 0 at the end of the bytes or when
  // reading failed.
  virtual size_t Read(unsigned char* buffer, size_t size) = 0;
  // Whether reading failed before the end.
  virtual bool Failed() const = 0;
};
