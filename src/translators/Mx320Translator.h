#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 2, "Mx320": records of 8 bytes across the whole memory, each a bank byte, a type
// byte and three counts. The model keeps no settings.
class Mx320Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8192; }
    int setupSize() const override { return 0; }
    // The Mx320 has no settings: the three setup operations leave setup and image alone.
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx320"; }
    bool addressedRead() const override { return false; }

  protected:
    int recordSlots() const override;
    int slotBankByte(int slot) const override;
    void decodeRecord(int slot, InstrumentBank& bank) const override;
};

}  // namespace kadenza
