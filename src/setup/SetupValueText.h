#pragma once

#include <QString>
#include <optional>

namespace kadenza {

// The in-place editor's texts of a setting's value, in the decimal separator of the current
// C locale, as every number the program shows.

// Pattern "0.000": at least one integer digit and exactly three decimals.
QString setupValueText(float value);

// The number the user typed, read with the locale's separator (a "." is refused where the
// locale has ","); none for anything that is not a number a setting can hold.
std::optional<float> parseSetupValue(const QString& text);

// What the application's error box says about text that is not a number.
QString notANumberText(const QString& text);

}  // namespace kadenza
