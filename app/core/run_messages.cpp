#include "app/core/run_messages.h"

std::string StartupFailureMessage(ReferencePart failed) {
  const char* name = "\"Data\\Provinces.txt\"";
  switch (failed) {
    case ReferencePart::kProvinces:
      break;
    case ReferencePart::kCountries:
      name = "\"Data\\Countries.txt\"";
      break;
    case ReferencePart::kBases:
      name = "\"Data\\Bases.txt\"";
      break;
    case ReferencePart::kData:
      name = "\"Data\\Data.txt\"";
      break;
  }
  return std::string("Error! Failed to locate ") + name + "! Program is aborting...";
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
