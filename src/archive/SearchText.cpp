#include "archive/SearchText.h"

#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace kadenza {

std::string searchText(const std::string& text) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* decomposition = icu::Normalizer2::getNFDInstance(status);
    icu::UnicodeString decomposed = icu::UnicodeString::fromUTF8(text);
    if (U_SUCCESS(status)) {
        decomposed = decomposition->normalize(decomposed, status);
    }
    icu::UnicodeString folded;
    for (int32_t index = 0; index < decomposed.length(); index = decomposed.moveIndex32(index, 1)) {
        const UChar32 character = decomposed.char32At(index);
        if (u_charType(character) != U_NON_SPACING_MARK) {
            folded.append(character);
        }
    }
    std::string result;
    folded.foldCase().toUTF8String(result);
    return result;
}

}  // namespace kadenza
