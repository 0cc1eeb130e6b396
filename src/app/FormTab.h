#pragma once

#include <utility>
#include <vector>

#include "app/DetailField.h"
#include "app/DetailsTab.h"
#include "inspection/Details.h"

namespace kadenza {

// A tab of the inspection's own details: each field on a line after its label, and the lists
// of entries to check beside them, each under its label.
class FormTab : public DetailsTab {
  public:
    FormTab(const std::vector<DetailField>& fields, const InspectionDetails& inspection);

    DetailTexts texts() const override;

  private:
    std::vector<std::pair<DetailField, QWidget*>> editors_;
};

}  // namespace kadenza
