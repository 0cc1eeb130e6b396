#pragma once

#include <string>

#include "app/DetailsTab.h"
#include "inspection/DetailsDocument.h"

namespace kadenza {

class NumberedTable;

// The measuring instruments of the revision: model, serial number, calibration sheet and date.
// The first is the one the measurements were downloaded from.
class InstrumentsTab : public DetailsTab {
  public:
    explicit InstrumentsTab(const DetailsDocument& details);

    DetailTexts texts() const override;

  private:
    NumberedTable* instruments_;
    // The first instrument takes these where it has none of its own.
    std::string downloadModel_;
    std::string downloadSerial_;
};

}  // namespace kadenza
