#include "app/files/province_names_file.h"

#include "app/files/reference_file.h"

namespace {

#ifdef _WIN32
constexpr std::string_view kNamesFile = "\\Config\\province_names.csv";
#else
constexpr std::string_view kNamesFile = "/Config/province_names.csv";
#endif

}  // namespace

std::string NamesFilePath(std::string_view folder) {
  std::string path(folder);
  path += kNamesFile;
  return path;
}

std::optional<std::string> ReadNamesFile(const std::optional<std::string>& folder) {
  if (!folder) return std::nullopt;
  ReferenceBuffer file = ReadReferenceFile(NamesFilePath(*folder));
  if (file.state != ReferenceBuffer::State::kRead) return std::nullopt;
  return std::move(file.bytes);
}

ProvinceNames ReadProvinceNames(const std::optional<std::string>& folder) {
  const std::optional<std::string> bytes = ReadNamesFile(folder);
  return bytes ? ProvinceNames::FromBytes(*bytes) : ProvinceNames();
}
