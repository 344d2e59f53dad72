#include "bench/first_country_assigner.h"

#include <optional>

#include "assign/missing_province_model.h"
#include "refdata/province_names.h"

bool FirstCountryAssigner::Assign(MissingProvinceModel& model) {
  model.Open(ProvinceNames());
  const std::optional<std::string> tag = model.SelectedTag();
  if (!tag) return false;
  tag_ = *tag;
  placed_ = model.notAddedLabels().size();
  while (!model.notAddedLabels().empty()) {
    model.SelectNotAdded(0);
    model.MoveToCountry();
  }
  return true;
}
