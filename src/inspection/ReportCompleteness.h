#pragma once

#include <string>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

// A thing the report lacks: the detail a user sets ("inspection.operator",
// "instrument.1.calibrationDate", "check.connections"), and what the report calls it in the
// current language ("operator", "calibration date of instrument 1").
struct MissingItem {
    std::string key;
    std::string words;

    bool operator==(const MissingItem& other) const {
        return key == other.key && words == other.words;
    }
};

// What the report of the revision lacks of what a report must hold: who runs the installation,
// what was revised and how far, the technician and the licence, the kind and its reason, the
// four dates, the instruments with a calibration that holds at the revision, the documents
// used, the checklist with a numbered defect where a check found one, each defect's class,
// provision and deadline, the conclusion with its reasons (and one of safe that can stand), the
// next revision. Empty when the report is whole; otherwise it is a draft.
std::vector<MissingItem> missingReportItems(const InstrumentData& data,
                                            const DetailsDocument& details);

}  // namespace kadenza
