#include "model/InstrumentSetupItem.h"

#include "language/Language.h"
#include "language/Utf8Decoder.h"
#include "model/NumberText.h"

namespace kadenza {

namespace {

// Language rows of the setting names, by kind; kinds past the table are named like kind 0.
constexpr int settingNameRows[] = {2, 3, 5, 6, 244, 245, 253};

}  // namespace

InstrumentSetupItem::InstrumentSetupItem(int kind, float value, std::u16string unit, float minimum,
                                         float maximum, bool zeroAllowed)
    : kind_(kind < 0 ? 0 : kind),
      value_(value),
      unit_(std::move(unit)),
      minimum_(minimum),
      maximum_(maximum),
      zeroAllowed_(zeroAllowed) {}

std::u16string InstrumentSetupItem::name() const {
    const int known = static_cast<int>(std::size(settingNameRows));
    return GetText(settingNameRows[kind_ < known ? kind_ : 0]);
}

std::u16string InstrumentSetupItem::text() const {
    return name() + u"\t" + decodeUtf8Prefix(decimalsText(value_), std::u16string::npos) + u" " +
           unit_;
}

void InstrumentSetupItem::setValue(float value) {
    if (accepts(value)) {
        value_ = value;
    }
}

bool InstrumentSetupItem::accepts(float value) const {
    return minimum_ == maximum_ || (value == 0 && zeroAllowed_) ||
           (value >= minimum_ && value <= maximum_);
}

}  // namespace kadenza
