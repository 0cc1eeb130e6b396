#include "setup/SetupValueText.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <string>

#include "model/NumberText.h"

namespace kadenza {

namespace {

constexpr int editorDecimals = 3;

// strtod alone would also take hexadecimal numbers, "inf" and "nan", which no one types as a
// setting; only digits, signs, the exponent mark and the locale's separator are numbers here.
bool hasOnlyNumberCharacters(const std::string& text, const std::string& separator) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == 'e' || c == 'E') {
            continue;
        }
        if (text.compare(i, separator.size(), separator) != 0) {
            return false;
        }
        i += separator.size() - 1;
    }
    return true;
}

}  // namespace

// The rounding of the "0.###" form (ties away from zero) with its missing zeros put back.
QString setupValueText(float value) {
    const std::string separator = decimalSeparator();
    std::string text = decimalsText(value);
    const std::size_t point = text.find(separator);
    if (point == std::string::npos) {
        text += separator;
    }
    const std::size_t decimals = text.size() - text.find(separator) - separator.size();
    text.append(editorDecimals - decimals, '0');
    return QString::fromStdString(text);
}

std::optional<float> parseSetupValue(const QString& text) {
    const std::string number = text.trimmed().toStdString();
    if (number.empty() || !hasOnlyNumberCharacters(number, decimalSeparator())) {
        return std::nullopt;
    }
    char* end = nullptr;
    errno = 0;
    const double value = std::strtod(number.c_str(), &end);
    if (end != number.c_str() + number.size() || errno == ERANGE) {
        return std::nullopt;
    }
    // A float cannot hold a larger magnitude; converting one would be undefined.
    if (std::fabs(value) > FLT_MAX) {
        return std::nullopt;
    }
    return static_cast<float>(value);
}

QString notANumberText(const QString& text) {
    return QStringLiteral("'%1' is not a valid floating point value").arg(text);
}

}  // namespace kadenza
