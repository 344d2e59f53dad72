// The console program writes the same bytes on Windows as everywhere else:
// standard output and standard error are put in binary mode before main runs,
// so that a line ends in LF alone (the console shows it as a new line), and a
// report written to standard output is byte for byte the report written to a
// file. Standard input stays in text mode for the answers typed at the console.
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace {

struct BinaryOutput {
  BinaryOutput() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
  }
};

const BinaryOutput binaryOutput;

}  // namespace
