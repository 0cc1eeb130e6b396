#pragma once

#include <string>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

// What the report of the revision lacks of what a report must hold (who runs the installation,
// what was revised and how far, the technician and the licence, the kind and its reason, the
// four dates, the instruments with their calibration, the documents used, the checklist, each
// defect's class, provision and deadline, the conclusion with its reasons, the next revision),
// each named as the detail a user sets: "inspection.operator", "instrument.1.calibrationDate",
// "check.connections". A conclusion of safe that cannot stand is named with the reason. Empty
// when the report is whole; otherwise it is a draft.
std::vector<std::string> missingReportItems(const InstrumentData& data,
                                            const DetailsDocument& details);

}  // namespace kadenza
