#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 3, "Mx310.2".
class Mx310Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8064; }
    int setupSize() const override { return 128; }
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx310.2"; }
    bool addressedRead() const override { return true; }
};

}  // namespace kadenza
