#pragma once

#include <array>
#include <memory>

#include "translators/InstrumentTranslator.h"

namespace kadenza {

// What the setup items of one setting share: kind, unit and accepted range.
struct SetupSetting {
    int kind;
    const char16_t* unit;
    float minimum;
    float maximum;
    bool zeroAllowed;
};

// Model code 3, "Mx310.2": single-value records in 3-byte slots, and a setup area of two
// sealed tables of 15 words and one sealed block of general settings. The Mx330 keeps the
// same layout with other kinds and settings.
class Mx310Translator : public InstrumentTranslator {
  public:
    int dataSize() const override { return 8064; }
    int setupSize() const override { return 128; }
    void defaultSetup(InstrumentSetup& setup) const override;
    void encodeSetup(const InstrumentSetup& setup) override;
    void decodeSetup(InstrumentSetup& setup) const override;
    const char* modelName() const override { return "Mx310.2"; }
    bool addressedRead() const override { return true; }

  protected:
    // Each setup block holds 30 bytes of settings and its seal.
    static constexpr int firstTable = 8064;
    static constexpr int secondTable = 8096;
    static constexpr int generalBlock = 8128;
    static constexpr int powerOffWord = generalBlock;
    static constexpr int backlightOffWord = generalBlock + 2;
    static constexpr int tableLength = 15;

    static constexpr int generalGroup = 0;

    static constexpr SetupSetting powerOff{0, u"s", 60, 1000, true};
    static constexpr SetupSetting backlightOff{1, u"s", 2, 1000, true};

    enum class Conversion { truncated, rounded };

    int recordSlots() const override { return 2000; }
    int slotBankByte(int slot) const override;
    void decodeRecord(int slot, InstrumentBank& bank) const override;
    // The item of a record's kind code and count, or none.
    virtual std::unique_ptr<InstrumentItem> recordItem(int kind, int count) const;

    // Writes the values the setup has over what is in the setup area; a missing group or
    // item leaves the word as it is.
    virtual void writeSettings(const InstrumentSetup& setup);

    static std::unique_ptr<InstrumentSetupItem> settingItem(const SetupSetting& setting,
                                                            float value);
    // Group 0's power-off and backlight-off times, from the general block and into it.
    void decodeTimes(InstrumentSetupBank& general) const;
    void encodeTimes(const InstrumentSetupBank& general);
    // A group of 15 items of one setting from the words of a table, count x 10^powerOfTen.
    std::unique_ptr<InstrumentSetupBank> decodeTable(int id, const SetupSetting& setting,
                                                     int position, int powerOfTen) const;
    static std::unique_ptr<InstrumentSetupBank> defaultTable(
        int id, const SetupSetting& setting, const std::array<float, tableLength>& values);
    // Writes the first 15 items of the group, by position; none writes nothing.
    void encodeTable(const InstrumentSetupBank* group, int position, double factor,
                     Conversion conversion);
    void encodeValue(int position, float value, double factor, Conversion conversion);
};

}  // namespace kadenza
