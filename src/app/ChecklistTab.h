#pragma once

#include <utility>
#include <vector>

#include "app/DetailsTab.h"
#include "inspection/DetailsDocument.h"

class QComboBox;

namespace kadenza {

// What the revision checked besides measuring: every item of the visual inspection and of the
// functional tests, satisfactory, a defect or not applicable.
class ChecklistTab : public DetailsTab {
  public:
    explicit ChecklistTab(const DetailsDocument& details);

    DetailTexts texts() const override;

  private:
    // Each check's name and the box of its result.
    std::vector<std::pair<const char*, QComboBox*>> results_;
};

}  // namespace kadenza
