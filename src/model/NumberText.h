#pragma once

#include <string>

namespace kadenza {

// Number texts shown to the user. Every form rounds the exact binary value of the double
// with ties away from zero (0.0625 to three decimals is 0.063), writes no thousands
// separators, and uses the decimal separator of the current C locale ("." when it has none).

// The locale's decimal separator, unless a DecimalSeparatorOverride on this thread says
// otherwise.
std::string decimalSeparator();

// While it lives, number texts made on this thread use its separator whatever the locale
// says: a report in Czech writes decimal commas under an English locale.
class DecimalSeparatorOverride {
  public:
    explicit DecimalSeparatorOverride(const std::string& separator);
    ~DecimalSeparatorOverride();
    DecimalSeparatorOverride(const DecimalSeparatorOverride&) = delete;
    DecimalSeparatorOverride& operator=(const DecimalSeparatorOverride&) = delete;

  private:
    std::string previous_;
};

// General form with `digits` significant digits, trailing zeros dropped. With the value as
// 0.d1d2... x 10^E, scientific notation ("1.5E20", "1E-5") when E > digits or E < -3,
// plain notation ("0.0001", "230.5") otherwise.
std::string generalText(double value, int digits);

// The general form with 15 significant digits.
std::string realText(double value);

// Pattern "0.###": at most three decimals, none when the rounded fraction is zero.
std::string decimalsText(double value);

// Pattern "0.###E+0": one integer digit, at most three decimals, the exponent always signed
// ("1.235E+4", "5E-4", "-5E+0").
std::string exponentText(double value);

}  // namespace kadenza
