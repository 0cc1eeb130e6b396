#pragma once

#include <vector>

#include "app/DefectProposals.h"
#include "app/DetailsTab.h"
#include "inspection/DetailsDocument.h"

class QListWidget;

namespace kadenza {

class NumberedTable;

// The defects the revision found, numbered: what, its class, the provision it breaks, the
// deadline of its repair and the bank it was found in. Below them the failed values proposed
// as defects: one taken becomes a defect with the value and the rule's standard filled in, for
// the technician to keep, edit or remove.
class DefectsTab : public DetailsTab {
  public:
    // `bankNumbers`: the banks of the data, which a defect can be found in.
    DefectsTab(const DetailsDocument& details, const std::vector<int>& bankNumbers);

    // Lists the proposals but those a defect already describes.
    void offerProposals(std::vector<DefectProposal> proposals);
    DetailTexts texts() const override;

  private:
    void takeProposal();
    bool isDefect(const QString& text) const;

    NumberedTable* defects_;
    QListWidget* proposalList_;
    std::vector<DefectProposal> proposals_;
};

}  // namespace kadenza
