#pragma once

#include "model/InstrumentBank.h"

namespace kadenza {

// A bank keyed by the instrument's record number instead of a memory bank number.
class InstrumentNumber : public InstrumentBank {
  public:
    using InstrumentBank::InstrumentBank;

    // "No. 7" with showSymbol, "7" without.
    std::string text(int flags) const override;
    std::unique_ptr<InstrumentAbstract> clone() const override;
    // "no. " with a trailing blank.
    std::int32_t typeCode() const override { return fourLetterCode("no. "); }
    void writeXml(std::ostream& stream) const override;
};

}  // namespace kadenza
