// The placing of missing provinces in the conversion benchmark: every target
// province that the conversion left without an owner goes to the first country
// the assignment offers (the first entry of the country box), as a user would
// move the whole "Not Added" list over to the country shown first.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "assign/province_placement.h"

class FirstCountryAssigner : public ProvinceAssigner {
 public:
  // None when no country is offered.
  std::optional<ProvincePlacement> Place(const MissingProvinces& missing) override;

  // Of the last assignment: the country that received the provinces, and how many.
  const std::string& tag() const { return tag_; }
  size_t placed() const { return placed_; }

 private:
  std::string tag_;
  size_t placed_ = 0;
};
