#pragma once

#include "translators/Mx310Translator.h"

namespace kadenza {

// Model code 4, "Mx330": an earth-resistance tester on the Mx310.2's memory layout, with its
// own kinds and settings (test frequencies, probe distances, a resistance beep limit).
class Mx330Translator : public Mx310Translator {
  public:
    void defaultSetup(InstrumentSetup& setup) const override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx330"; }

  protected:
    std::unique_ptr<InstrumentItem> recordItem(int kind, int count) const override;
    void writeSettings(const InstrumentSetup& setup) override;

  private:
    static constexpr int beepLimitWord = generalBlock + 4;

    std::unique_ptr<InstrumentSetupBank> decodeFrequencies() const;
};

}  // namespace kadenza
