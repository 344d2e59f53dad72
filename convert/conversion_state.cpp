#include "convert/conversion_state.h"

#include <optional>

#include "script/number_format.h"

ProvinceInfo* SourceProvinces::Find(double province) {
  const std::optional<int32_t> id = WholeInt32(province);
  if (!id) return nullptr;
  const std::optional<size_t> position =
      index_.Find(info, [](const ProvinceInfo& record) { return record.province; }, *id);
  return position ? &info[*position] : nullptr;
}

ProvinceRecord* TargetProvinces::FindRecord(ProvinceId id) {
  const std::optional<size_t> position =
      recordIndex_.Find(records, [](const ProvinceRecord& record) { return record.id; }, id);
  return position ? &records[*position] : nullptr;
}

CountryAlignment* CountryProfiles::FindAlignment(const std::string& tag) {
  const std::optional<size_t> position =
      alignmentIndex_.Find(alignments, [](const CountryAlignment& a) { return a.tag; }, tag);
  return position ? &alignments[*position] : nullptr;
}

void CountryProfiles::EraseAlignment(size_t position) {
  alignments.erase(alignments.begin() + static_cast<std::ptrdiff_t>(position));
  alignmentIndex_.Reset();
}

int32_t CountryProfiles::OtherTechCount(const std::string& tag) {
  const std::optional<size_t> position =
      techCountIndex_.Find(techCounts, [](const TechCount& count) { return count.tag; }, tag);
  return position ? techCounts[*position].cOther : 0;
}
