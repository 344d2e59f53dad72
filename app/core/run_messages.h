// The texts of the message boxes that end start-up or a conversion, one for
// each way they can end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "convert/conversion_result.h"
#include "refdata/reference_data.h"

// The message of a part that could not be loaded: "Error! Failed to locate "
// and its name when its file is missing, else that it has errors (which the
// status lines above it show).
std::string StartupFailureMessage(const ReferenceData& data, ReferencePart failed);
// The message of a conversion that did not convert.
std::string ConversionFailureMessage(ConversionResult result);
// A conversion that left provinces without an owner and offers no country to
// give them to.
std::string NoCountryToPlaceMessage(size_t missing);
// A save that could not be read at all.
inline constexpr std::string_view kUnreadableSaveMessage = "Could not load the Saltmarch savegame file!";
// A conversion that ended with an exception.
inline constexpr std::string_view kExceptionMessage = "Error (Exception thrown) while converting file!";
