#include "app/files/reference_file.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

ReferenceBuffer ReadReferenceFile(const std::string& path) {
  ReferenceBuffer buffer{path, ReferenceBuffer::State::kMissing, {}};
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return buffer;
  buffer.state = ReferenceBuffer::State::kUnreadable;
  if (!std::filesystem::is_regular_file(path, ec)) return buffer;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) {
    buffer.state = ReferenceBuffer::State::kUnopened;
    return buffer;
  }
  std::vector<char> block(1 << 16);
  size_t count = 0;
  while ((count = std::fread(block.data(), 1, block.size(), file)) > 0)
    buffer.bytes.append(block.data(), count);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    buffer.bytes.clear();
    return buffer;
  }
  buffer.state = ReferenceBuffer::State::kRead;
  return buffer;
}
