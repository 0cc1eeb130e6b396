#include "model/NumberText.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

namespace kadenza {

namespace {

// A finite value as sign and decimal digits: value = 0.d1d2d3... x 10^exponent with d1 not
// zero, or no digits at all for zero. Trailing zeros are never kept.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

void dropTrailingZeros(Decimal& number) {
    const auto last = number.digits.find_last_not_of('0');
    number.digits.erase(last == std::string::npos ? 0 : last + 1);
    if (number.digits.empty()) {
        number.exponent = 0;
    }
}

// Every double has a finite decimal expansion of at most 767 significant digits, so asking
// for more gives the value exactly.
Decimal exactDecimal(double value) {
    Decimal number;
    if (value == 0) {
        return number;
    }
    char buffer[1024];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 800);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    number.negative = value < 0;
    number.digits = text.substr(0, 1) + text.substr(2, e - 2);
    number.exponent = std::atoi(text.c_str() + e + 1) + 1;
    dropTrailingZeros(number);
    return number;
}

// Keeps the first `keep` significant digits (none, or a negative count, rounds at or above
// the first digit) with ties away from zero.
Decimal roundDigits(Decimal number, int keep) {
    if (keep >= static_cast<int>(number.digits.size())) {
        return number;
    }
    const bool up = keep >= 0 && number.digits[keep] >= '5';
    number.digits.erase(keep < 0 ? 0 : keep);
    if (up) {
        int pos = keep - 1;
        while (pos >= 0 && number.digits[pos] == '9') {
            number.digits[pos--] = '0';
        }
        if (pos >= 0) {
            ++number.digits[pos];
        } else {
            number.digits.insert(number.digits.begin(), '1');
            ++number.exponent;
        }
    }
    dropTrailingZeros(number);
    return number;
}

std::string sign(const Decimal& number) {
    return number.negative && !number.digits.empty() ? "-" : "";
}

std::string plainText(const Decimal& number) {
    if (number.digits.empty()) {
        return "0";
    }
    const int integerDigits = number.exponent;
    std::string integer;
    std::string fraction;
    if (integerDigits <= 0) {
        integer = "0";
        fraction = std::string(-integerDigits, '0') + number.digits;
    } else if (integerDigits >= static_cast<int>(number.digits.size())) {
        integer = number.digits + std::string(integerDigits - number.digits.size(), '0');
    } else {
        integer = number.digits.substr(0, integerDigits);
        fraction = number.digits.substr(integerDigits);
    }
    std::string text = sign(number) + integer;
    if (!fraction.empty()) {
        text += decimalSeparator() + fraction;
    }
    return text;
}

std::string mantissaText(const Decimal& number) {
    std::string text = sign(number) + number.digits.substr(0, 1);
    if (number.digits.size() > 1) {
        text += decimalSeparator() + number.digits.substr(1);
    }
    return text;
}

// Texts for the values that have no digits.
bool specialText(double value, std::string& text) {
    if (std::isnan(value)) {
        text = "NAN";
    } else if (std::isinf(value)) {
        text = value < 0 ? "-INF" : "INF";
    } else {
        return false;
    }
    return true;
}

}  // namespace

namespace {

// The separator an override set on this thread; empty when none is in force.
thread_local std::string overriddenSeparator;

}  // namespace

DecimalSeparatorOverride::DecimalSeparatorOverride(const std::string& separator)
    : previous_(overriddenSeparator) {
    overriddenSeparator = separator;
}

DecimalSeparatorOverride::~DecimalSeparatorOverride() {
    overriddenSeparator = previous_;
}

std::string decimalSeparator() {
    if (!overriddenSeparator.empty()) {
        return overriddenSeparator;
    }
    const lconv* conventions = std::localeconv();
    if (conventions == nullptr || conventions->decimal_point == nullptr ||
        conventions->decimal_point[0] == '\0') {
        return ".";
    }
    return conventions->decimal_point;
}

std::string generalText(double value, int digits) {
    std::string text;
    if (specialText(value, text)) {
        return text;
    }
    const Decimal number = roundDigits(exactDecimal(value), digits);
    if (number.digits.empty()) {
        return "0";
    }
    if (number.exponent > digits || number.exponent < -3) {
        return mantissaText(number) + "E" + std::to_string(number.exponent - 1);
    }
    return plainText(number);
}

std::string realText(double value) {
    return generalText(value, 15);
}

std::string decimalsText(double value) {
    std::string text;
    if (specialText(value, text)) {
        return text;
    }
    const Decimal exact = exactDecimal(value);
    return plainText(roundDigits(exact, exact.exponent + 3));
}

std::string exponentText(double value) {
    std::string text;
    if (specialText(value, text)) {
        return text;
    }
    const Decimal number = roundDigits(exactDecimal(value), 4);
    if (number.digits.empty()) {
        return "0E+0";
    }
    const int exponent = number.exponent - 1;
    return mantissaText(number) + (exponent < 0 ? "E-" : "E+") + std::to_string(std::abs(exponent));
}

}  // namespace kadenza
