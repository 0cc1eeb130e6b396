#pragma once

#include <string>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

// Why the installation may not be called safe to operate, in the current language: a defect
// that endangers safety stands, or, in an initial revision, a measured value fails its limit.
// Empty when it may.
std::string reasonAgainstSafe(const InstrumentData& data, const DetailsDocument& details);

// The first defect of the class that endangers safety; none when no defect does.
const DefectDetails* dangerDefectOf(const std::vector<DefectDetails>& defects);

}  // namespace kadenza
