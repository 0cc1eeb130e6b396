#pragma once

#include <string>

#include "model/InstrumentSetupItem.h"

namespace kadenza {

// What the setup dialog and the command-line tool say about settings that cannot be written,
// in the current language.

// "This instrument keeps no settings": the model has no setup area, or none the program can
// write.
std::u16string noSettingsText();

// "outside the allowed range", the mark of a setting read out of range.
std::u16string outOfRangeMark();

// The setting's name, value and unit as plain text, then the mark: "Backlight off 1310.7 s:
// outside the allowed range".
std::u16string outOfRangeText(const InstrumentSetupItem& item);

}  // namespace kadenza
