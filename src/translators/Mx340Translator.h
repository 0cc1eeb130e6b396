#pragma once

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// Model code 1, "Mx340": an appliance tester. Its memory is a sequence of 8-byte records
// without bank bytes; a record-number record opens each appliance's test, and the
// measurement records that follow it are filed under that number.
class Mx340Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8064; }
    int setupSize() const override { return 128; }
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    // The setup blocks are read but carry nothing this program interprets.
    void decodeSetup(InstrumentSetup& setup) const override;
    void decodeData(InstrumentData& data) const override;
    const char* modelName() const override { return "Mx340"; }
    bool addressedRead() const override { return false; }

  private:
    // The record at this byte position (records are found by position, not by slot).
    void decodeRecordAt(int position, InstrumentBank& bank) const;
};

}  // namespace kadenza
