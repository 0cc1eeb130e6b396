#pragma once

#include <vector>

#include "app/DetailsTab.h"
#include "inspection/DetailsDocument.h"

namespace kadenza {

class DetailTable;

// The details of the circuit or the appliance of every bank of the data, a row for each.
class CircuitsTab : public DetailsTab {
  public:
    CircuitsTab(const DetailsDocument& details, std::vector<int> bankNumbers);

    DetailTexts texts() const override;

  private:
    std::vector<int> bankNumbers_;
    DetailTable* banks_;
};

}  // namespace kadenza
