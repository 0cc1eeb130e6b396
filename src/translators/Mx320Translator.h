#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 2, "Mx320".
class Mx320Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8192; }
    int setupSize() const override { return 0; }
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx320"; }
    bool addressedRead() const override { return false; }
};

}  // namespace kadenza
