#include "language/Language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "language/LanguageTables.h"

namespace kadenza {
namespace {

class LanguageTest : public ::testing::Test {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }
};

TEST_F(LanguageTest, StartsInCzech) {
    EXPECT_EQ(TextTable::language(), czechLanguage);
    EXPECT_STREQ(RowText(7), "Soubor");
}

TEST_F(LanguageTest, UsedRowsHoldTheirTextsInBothLanguages) {
    EXPECT_STREQ(RowText(8, englishLanguage), "Open ...");
    EXPECT_STREQ(RowText(8, czechLanguage), "Otevři ...");
    EXPECT_STREQ(RowText(16, englishLanguage), "Setup");
    EXPECT_STREQ(RowText(16, czechLanguage), "Nastavit");
    EXPECT_STREQ(RowText(19, englishLanguage), "Interupted by user");
    EXPECT_STREQ(RowText(20, czechLanguage), "Přístroj není připojen");
    EXPECT_STREQ(RowText(239, englishLanguage), "Export as HTML...");
    EXPECT_STREQ(RowText(239, czechLanguage), "Ulož data jako HTML ...");
    for (int language : {englishLanguage, czechLanguage}) {
        EXPECT_STREQ(RowText(5, language), "Cu");
        EXPECT_STREQ(RowText(6, language), "Al");
    }
}

TEST_F(LanguageTest, OnlyTheUsedRowsHoldText) {
    constexpr int usedRowCount = 302;
    EXPECT_EQ(languageRowCount, 600);
    for (const LanguageTable* table : {&englishTable, &czechTable}) {
        int filled = 0;
        for (const char* text : *table) {
            ASSERT_NE(text, nullptr);
            if (text[0] != '\0') {
                ++filled;
            }
        }
        EXPECT_EQ(filled, usedRowCount);
    }
    EXPECT_STREQ(RowText(12, czechLanguage), "");
    EXPECT_STREQ(RowText(-1), "");
    EXPECT_STREQ(RowText(languageRowCount, englishLanguage), "");
}

TEST_F(LanguageTest, SetLanguageAcceptsOnlyEnglishAndCzech) {
    SetLanguage(englishLanguage);
    SetLanguage(2);
    EXPECT_EQ(TextTable::language(), englishLanguage);
    SetLanguage(currentLanguage);
    EXPECT_EQ(TextTable::language(), englishLanguage);
    SetLanguage(czechLanguage);
    EXPECT_EQ(TextTable::language(), czechLanguage);
}

TEST_F(LanguageTest, RowTextPicksTheLanguage) {
    SetLanguage(englishLanguage);
    EXPECT_STREQ(RowText(22), "Error");
    EXPECT_STREQ(RowText(22, czechLanguage), "Chyba");
    EXPECT_STREQ(RowText(22, 5), "Chyba");
    EXPECT_STREQ(RowText(22, -2), "Chyba");
    SetLanguage(czechLanguage);
    EXPECT_STREQ(RowText(22, englishLanguage), "Error");
}

TEST_F(LanguageTest, GetTextDecodesCzechLetters) {
    const std::u16string text = GetText(20);
    EXPECT_EQ(text, u"Přístroj není připojen");
    EXPECT_EQ(text[1], u'\u0159');
    EXPECT_EQ(text[2], u'\u00ED');
    EXPECT_EQ(GetText(14), u"Spusť přenos");
}

TEST_F(LanguageTest, AboutTextIsLinesWithTheVersion) {
    const std::string english = RowText(255, englishLanguage);
    const std::u16string czech = GetText(255, czechLanguage);
    EXPECT_EQ(english.rfind("Kadenza\n\nVersion " KADENZA_VERSION "\n", 0), 0u);
    EXPECT_EQ(czech.rfind(u"Kadenza\n\nVerze " KADENZA_VERSION u"\n", 0), 0u);
    EXPECT_EQ(std::count(english.begin(), english.end(), '\n'), 4);
    EXPECT_EQ(std::count(czech.begin(), czech.end(), u'\n'), 4);
    EXPECT_EQ(english.back(), '\n');
    EXPECT_EQ(czech.back(), u'\n');
}

}  // namespace
}  // namespace kadenza
