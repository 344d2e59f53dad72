#include "app/files/script_file_io.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "app/files/replacing_files.h"
#include "script/byte_source.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// A file's bytes as the reader takes them, block by block.
class FileSource : public ByteSource {
 public:
  explicit FileSource(std::FILE* file) : file_(file) {}
  size_t Read(unsigned char* buffer, size_t size) override { return std::fread(buffer, 1, size, file_); }
  bool Failed() const override { return std::ferror(file_) != 0; }

 private:
  std::FILE* file_;
};

}  // namespace

ScriptFile::LoadResult ReadScriptFile(ScriptFile& file, const std::string& path, StatusLog& log) {
  // A folder is refused by name: some systems open one as an empty file.
  std::error_code ec;
  const std::unique_ptr<std::FILE, FileCloser> opened(
      std::filesystem::is_directory(path, ec) ? nullptr : std::fopen(path.c_str(), "rb"));
  if (!opened) {
    log.AddLine("Could not open " + path + " for input");
    file.FreeTree();
    return ScriptFile::LoadResult::kUnreadable;
  }
  FileSource source(opened.get());
  return file.ReadSource(source, log);
}

ScriptFile::LoadResult LoadScriptFile(ScriptFile& file, const std::string& path, std::string_view shownName,
                                      StatusLog& log) {
  log.AddLine(ScriptFile::LoadingLine(shownName));
  return ReadScriptFile(file, path, log);
}

bool SaveScriptFile(const ScriptFile& file, const std::string& path, std::string_view generator, StatusLog& log) {
  ReplacingFiles outputs;
  std::string error;
  ReplacingFile* output = outputs.Open(path, log, &error);
  if (!output) {
    log.AddLine(error);
    return false;
  }
  file.Write(*output, generator);
  return outputs.Commit(log);
}
