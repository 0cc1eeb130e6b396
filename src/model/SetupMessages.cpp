#include "model/SetupMessages.h"

#include "language/Language.h"
#include "language/Utf8Decoder.h"
#include "model/NumberText.h"

namespace kadenza {

namespace {

constexpr int noSettingsRow = 261;
constexpr int outOfRangeRow = 262;

constexpr char16_t styleEscape = 27;
constexpr char16_t superscriptCode = 3;

// A unit without its style codes; the digits of a superscript become superscript digits, so
// "mm", ESC 3, "2", ESC 1 reads "mm²".
std::u16string plainUnit(const std::u16string& unit) {
    std::u16string plain;
    bool superscript = false;
    for (std::size_t i = 0; i < unit.size(); ++i) {
        if (unit[i] == styleEscape && i + 1 < unit.size()) {
            superscript = unit[++i] == superscriptCode;
        } else if (superscript && unit[i] == u'2') {
            plain += u'\u00B2';
        } else if (superscript && unit[i] == u'3') {
            plain += u'\u00B3';
        } else {
            plain += unit[i];
        }
    }
    return plain;
}

}  // namespace

std::u16string noSettingsText() {
    return GetText(noSettingsRow);
}

std::u16string outOfRangeMark() {
    return GetText(outOfRangeRow);
}

std::u16string outOfRangeText(const InstrumentSetupItem& item) {
    return item.name() + u" " + decodeUtf8Prefix(decimalsText(item.value()), std::u16string::npos) +
           u" " + plainUnit(item.unit()) + u": " + outOfRangeMark();
}

}  // namespace kadenza
