#include "app/files/data_folder_files.h"

#include "app/files/province_names_file.h"
#include "app/files/reference_file.h"
#include "app/files/data_folder.h"

ReferenceBuffers ReadDataFolder(const std::string& folder, const std::optional<std::string>& gameFolder) {
  ReferenceBuffers buffers;
  buffers.provinces = ReadTableFile(folder);
  buffers.countries = ReadReferenceFile(DataFilePath(folder, "Countries.txt"));
  buffers.bases = ReadReferenceFile(DataFilePath(folder, "Bases.txt"));
  buffers.data = ReadReferenceFile(DataFilePath(folder, "Data.txt"));
  buffers.provinceNames = ReadNamesFile(gameFolder);
  return buffers;
}

ReferenceBuffer ReadTableFile(const std::string& folder) {
  return ReadReferenceFile(DataFilePath(folder, "Provinces.txt"));
}
