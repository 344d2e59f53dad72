#include "app/core/run_messages.h"

namespace {

const char* ShownName(ReferencePart part) {
  switch (part) {
    case ReferencePart::kProvinces:
      break;
    case ReferencePart::kCountries:
      return "\"Data\\Countries.txt\"";
    case ReferencePart::kBases:
      return "\"Data\\Bases.txt\"";
    case ReferencePart::kData:
      return "\"Data\\Data.txt\"";
  }
  return "\"Data\\Provinces.txt\"";
}

}  // namespace

std::string StartupFailureMessage(const ReferenceData& data, ReferencePart failed) {
  if (data.Missing(failed)) return std::string("Error! Failed to locate ") + ShownName(failed) + "! Program is aborting...";
  return std::string("Error! ") + ShownName(failed) + " has errors (see above)! Program is aborting...";
}

std::string ConversionFailureMessage(ConversionResult result) {
  switch (result) {
    case ConversionResult::kNotASave:
      return "ERROR! NOT A SALTMARCH SAVE GAME FILE!";
    case ConversionResult::kNoTagTable:
      return "Error! Could not find tag_conversion_table section in \"Country.txt\"";
    case ConversionResult::kNoMergeTable:
      return "Error! Could not find mother_merge_table section in \"Country.txt\"";
    case ConversionResult::kConverted:
    case ConversionResult::kAssignmentAborted:
      break;
  }
  return "There were errors when converting this file!";
}

std::string NoCountryToPlaceMessage(size_t missing) {
  return "The conversion left " + std::to_string(missing) +
         " provinces without an owner, and the scenario has no selectable country to give them to.";
}
