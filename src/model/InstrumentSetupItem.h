#pragma once

#include <string>

#include "model/InstrumentSetupAbstract.h"

namespace kadenza {

// One numeric setting of an instrument. Values are single precision, as the instrument's
// settings are converted from and to counts through them.
class InstrumentSetupItem : public InstrumentSetupAbstract {
  public:
    // A minimum equal to the maximum means any value is accepted; `zeroAllowed` accepts 0
    // even outside the range (0 usually switches the function off).
    InstrumentSetupItem(int kind, float value, std::u16string unit, float minimum, float maximum,
                        bool zeroAllowed);

    // "name", TAB, the value as "0.###", a blank, the unit.
    std::u16string text() const override;
    bool isBank() const override { return false; }

    int kind() const { return kind_; }
    float value() const { return value_; }
    const std::u16string& unit() const { return unit_; }
    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    bool zeroAllowed() const { return zeroAllowed_; }
    // The setting's name in the current language.
    std::u16string name() const;

    // Stores the value when the range allows it; otherwise the old value stays. Nothing says
    // which happened: read value() back.
    void setValue(float value);
    // Whether setValue would take the value.
    bool accepts(float value) const;
    // False for a value read from an instrument whose settings are erased or damaged: the
    // setting may not be written back until it is set. 0 is always in range: it switches a
    // function off or marks an unused table entry, even in the factory settings.
    bool inRange() const { return value_ == 0 || accepts(value_); }

  private:
    int kind_;
    float value_;
    std::u16string unit_;
    float minimum_;
    float maximum_;
    bool zeroAllowed_;
};

}  // namespace kadenza
