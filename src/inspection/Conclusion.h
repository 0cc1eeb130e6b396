#pragma once

#include <string>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Why the installation may not be called safe to operate, in the current language: a defect
// stands that endangers safety, is potentially dangerous or is to be investigated (C1, C2 or
// FI: only C3 leaves an installation satisfactory), or, in an initial revision, a measured
// value fails its limit. A defect is named by its place among the defects, as the report
// numbers them. Empty when it may.
std::string reasonAgainstSafe(const InstrumentData& data, const DetailsDocument& details);

// The first defect of a class that leaves the installation not safe to operate; none when no
// defect does.
const DefectDetails* defectAgainstSafe(const std::vector<DefectDetails>& defects);

// Why such a defect stands against "safe", in English for a refusal: "endangers safety".
std::string classAgainstSafe(const std::string& defectClass);

}  // namespace kadenza
