#pragma once

#include <string>

#include "inspection/Details.h"

namespace kadenza {

// What stands against an instrument's calibration at the revision, in the current language:
// dated after the revision ended, it cannot be the one the measurements were made under;
// older than its interval (12 months unless given) when the revision ended, it no longer
// held. Empty when it held, or when a date to tell is missing.
std::string calibrationFault(const InstrumentDetails& instrument,
                             const InspectionDetails& inspection);

}  // namespace kadenza
