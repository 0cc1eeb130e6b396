#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 5, "Mx350": four records of three counts per 32-byte block, their bank bytes at
// the head of the block. Each record kind has its own count limits; an RCD record names its
// rated residual current by a code in its third count.
class Mx350Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8064; }
    int setupSize() const override { return 128; }
    // The setup area is moved but means nothing to us: the three setup operations leave setup
    // and image alone.
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx350"; }
    bool addressedRead() const override { return true; }

  protected:
    int recordSlots() const override;
    int slotBankByte(int slot) const override;
    void decodeRecord(int slot, InstrumentBank& bank) const override;
};

}  // namespace kadenza
