#include "bench/first_country_assigner.h"

std::optional<ProvincePlacement> FirstCountryAssigner::Place(const MissingProvinces& missing) {
  const std::vector<std::string> tags = TagsInListOrder(missing.tags);
  if (tags.empty()) return std::nullopt;
  tag_ = tags.front();
  placed_ = missing.ids.size();
  return ProvincePlacement{{tag_, missing.ids, "--assign-rest"}};
}
