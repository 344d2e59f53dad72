// Loads arbitrary bytes, writes the tree, loads what was written and writes it
// again: the two writes must be equal and nothing may crash on the way.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "script/script_file.h"
#include "script/script_output.h"

namespace {

std::string LoadAndWrite(std::string_view bytes) {
  LineCollector log;
  ScriptFile file;
  if (file.LoadBuffer(bytes, "fuzz", log) == ScriptFile::LoadResult::kUnreadable) std::abort();
  ScriptOutput out;
  for (int i = 0; i < file.root().ItemCount(); ++i) file.root().ChildAt(i)->Write(out, 0, false);
  return out.TakeText();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string first = LoadAndWrite({reinterpret_cast<const char*>(data), size});
  std::string second = LoadAndWrite(first);
  if (first != second) {
    std::fprintf(stderr, "rewrite differs:\n--- first\n%s\n--- second\n%s\n", first.c_str(),
                 second.c_str());
    std::abort();
  }
  return 0;
}
