#include "language/Language.h"

#include "language/LanguageTables.h"
#include "language/Utf8Decoder.h"

namespace kadenza {

namespace {

int current = czechLanguage;

}  // namespace

int TextTable::language() {
    return current;
}

void TextTable::setLanguage(int language) {
    if (language == englishLanguage || language == czechLanguage) {
        current = language;
    }
}

void SetLanguage(int language) {
    TextTable::setLanguage(language);
}

const char* RowText(int row, int language) {
    if (row < 0 || row >= languageRowCount) {
        return "";
    }
    if (language == currentLanguage) {
        language = TextTable::language();
    }
    return language == englishLanguage ? englishTable[row] : czechTable[row];
}

std::u16string GetText(int row, int language) {
    return decodeUtf8Prefix(RowText(row, language), rowTextLimit);
}

const char* programVersion() {
    return KADENZA_VERSION;
}

}  // namespace kadenza
