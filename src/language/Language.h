#pragma once

#include <cstddef>
#include <string>

namespace kadenza {

// The English and Czech tables of user-visible texts. Row numbers are shared with other
// programs of the family and never change; rows this program does not use are empty.
constexpr int languageRowCount = 600;
constexpr int englishLanguage = 0;
constexpr int czechLanguage = 1;
constexpr int currentLanguage = -1;
// GetText decodes at most this many characters of a row.
constexpr std::size_t rowTextLimit = 999;

// The process-wide language state; Czech until SetLanguage says otherwise.
class TextTable {
  public:
    static int language();
    static void setLanguage(int language);
};

// 0 English, 1 Czech; any other number is ignored.
void SetLanguage(int language);

// The row's UTF-8 text. `language` -1 is the current language, 0 English, anything else
// Czech. A row outside the tables gives the empty text.
const char* RowText(int row, int language = currentLanguage);

// The row decoded to UTF-16, cut after rowTextLimit characters or at a byte the decoder does
// not accept.
std::u16string GetText(int row, int language = currentLanguage);

// The program's version, as the About box shows it ("0.1.0").
const char* programVersion();

}  // namespace kadenza
