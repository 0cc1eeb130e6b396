#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 5, "Mx350".
class Mx350Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8064; }
    int setupSize() const override { return 128; }
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx350"; }
    bool addressedRead() const override { return true; }
};

}  // namespace kadenza
