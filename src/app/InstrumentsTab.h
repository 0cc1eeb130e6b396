#pragma once

#include <string>

#include "app/DetailsTab.h"
#include "inspection/DetailsDocument.h"

class QLabel;

namespace kadenza {

class DetailTable;
class NumberedTable;

// The measuring instruments of the revision: model, serial number, calibration sheet, date and
// interval. The first is the one the measurements were downloaded from.
class InstrumentsTab : public DetailsTab {
  public:
    explicit InstrumentsTab(const DetailsDocument& details);

    DetailTexts texts() const override;
    // Marks the calibration date of each instrument whose calibration did not hold at the
    // revision of `details` (numbered as the table's rows), saying why in its tip and below
    // the table.
    void markCalibrations(const DetailsDocument& details);
    DetailTable& table();

  private:
    NumberedTable* instruments_;
    QLabel* calibrationFaults_;
    // The first instrument takes these where it has none of its own.
    std::string downloadModel_;
    std::string downloadSerial_;
};

}  // namespace kadenza
