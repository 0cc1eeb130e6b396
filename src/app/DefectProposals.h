#pragma once

#include <QString>
#include <vector>

#include "inspection/Evaluation.h"

namespace kadenza {

// A defect the editor proposes from a measured value that failed its limit: what failed, in
// which bank, and the standard of the rule it failed.
struct DefectProposal {
    QString text;
    QString provision;
    int bank = 0;
};

// One proposal for every failed item, in the container's order; "Bank 2, 3: R_ISO 0.150 MΩ
// (≥ 1 MΩ)".
std::vector<DefectProposal> failedValueProposals(const Evaluation& evaluation);

}  // namespace kadenza
