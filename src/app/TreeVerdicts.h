#pragma once

#include <map>
#include <string>

#include "inspection/DetailsDocument.h"
#include "inspection/Verdict.h"
#include "model/InstrumentData.h"

namespace kadenza {

class InstrumentBank;
class InstrumentItem;

// What the data tree marks after its rows, by the inspection's details: each judged item's
// verdict and each bank's label. Taken from the details when they or the data change, so that
// drawing a row judges only that row.
class TreeVerdicts {
  public:
    void update(const InstrumentData& data, const DetailsDocument& details);

    Verdict verdictOf(const InstrumentItem& item, const InstrumentBank& bank) const;
    // The label the details give the bank; empty when none.
    std::string labelOf(const InstrumentBank& bank) const;

  private:
    const BankDetails& detailsOf(const InstrumentBank& bank) const;

    std::string profile_;
    InspectionDetails inspection_;
    std::map<int, BankDetails> banks_;
    BankDetails noDetails_;
};

}  // namespace kadenza
