#include <gtest/gtest.h>

#include <QPdfWriter>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "report/IsolatedText.h"
#include "report/PagedPdf.h"
#include "report/StyledText.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

// A run set lower ('_') or higher ('^'): its first character and its length.
struct Script {
    char kind;
    int start;
    int length;

    bool operator==(const Script& other) const {
        return kind == other.kind && start == other.start && length == other.length;
    }
};

std::vector<Script> scriptsOf(const StyledText& styled) {
    std::vector<Script> scripts;
    for (const QTextLayout::FormatRange& range : styled.scripts) {
        const bool lower = range.format.verticalAlignment() == QTextCharFormat::AlignSubScript;
        scripts.push_back({lower ? '_' : '^', range.start, range.length});
    }
    return scripts;
}

struct StyledCase {
    const char* row;
    const char* text;
    std::vector<Script> scripts;
};

// Row texts as the quantity table, the notes and a damaged file give them.
TEST(StyledTextTest, StyleCodesMarkTheRunsTheTreeDrawsLowerAndHigher) {
    const StyledCase cases[] = {
        {"R\033\002ISO\033\001", "RISO", {{'_', 1, 3}}},
        {"min.\033\003-1\033\001", "min.-1", {{'^', 4, 2}}},
        // Δ is one character however many bytes it takes.
        {"\033\002\xCE\x94\033\001U", "\xCE\x94U", {{'_', 0, 1}}},
        {"I\033\002PE", "IPE", {{'_', 1, 2}}},
        {"a\033\002b\033\003c", "abc", {{'_', 1, 1}, {'^', 2, 1}}},
        {"x\033\005y\033\001z", "xyz", {{'^', 1, 1}}},
        {"cut\033", "cut", {}},
        {"\033\002\033\001empty", "empty", {}},
        {"tab\there\rend", "tab here end", {}},
    };
    for (const StyledCase& c : cases) {
        const StyledText styled = styledText(c.row);
        EXPECT_EQ(styled.text, QString::fromUtf8(c.text)) << c.row;
        EXPECT_EQ(scriptsOf(styled), c.scripts) << c.row;
    }
}

TEST(StyledTextTest, PlainTextKeepsItsLineBreaksAndBlanksOtherControls) {
    const StyledText styled = plainText("a < b\nc\033\002d\u0085e");
    EXPECT_EQ(styled.text,
              QStringLiteral("a < b") + QChar(QChar::LineSeparator) + QStringLiteral("c  d e"));
    EXPECT_TRUE(styled.scripts.isEmpty());
}

// The bidirectional formatting characters, in UTF-8.
const std::string lre = "\u202A", rle = "\u202B", pdf = "\u202C", rlo = "\u202E";
const std::string lri = "\u2066", fsi = "\u2068", pdi = "\u2069";

TEST(StyledTextTest, UserTextIsBalancedAndIsolated) {
    const struct {
        const char* what;
        std::string text;
        std::string shown;
    } cases[] = {
        {"nothing to balance", "Nov\u00E1kov\u00E1", fsi + "Nov\u00E1kov\u00E1" + pdi},
        {"a stray pop of formatting", "a" + pdf + "b", fsi + "ab" + pdi},
        {"a stray pop of an isolate", "a" + pdi + "b", fsi + "ab" + pdi},
        {"an override left open", "abc" + rlo + "def", fsi + "abc" + rlo + "def" + pdf + pdi},
        {"nested openers, innermost closed first", rle + "a" + lri + "b",
         fsi + rle + "a" + lri + "b" + pdi + pdf + pdi},
        {"an isolate's pop ends the embeddings in it", lri + "a" + rlo + "b" + pdi + "c",
         fsi + lri + "a" + rlo + "b" + pdf + pdi + "c" + pdi},
        {"a pop inside an isolate ends nothing outside it", lre + "a" + lri + "b" + pdf,
         fsi + lre + "a" + lri + "b" + pdi + pdf + pdi},
        {"balanced stays", rlo + "x" + pdf, fsi + rlo + "x" + pdf + pdi},
        {"controls blanked, a line feed kept", "a\nb\tc", fsi + "a\u2028b c" + pdi},
        {"empty stays empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(userText(c.text).text, QString::fromStdString(c.shown)) << c.what;
    }
    EXPECT_EQ(isolatedText(QString::fromStdString("x" + rlo)),
              QString::fromStdString(fsi + "x" + rlo + pdf + pdi));
}

// Written into a PDF, a user's text leaves what follows it in the paragraph where it was: an
// override left open would turn it around, a Hebrew name would make the paragraph run from
// the right.
TEST(StyledTextTest, UserTextCannotReorderTheTextAfterIt) {
    const TempDir dir;
    const std::string path = dir.path("user.pdf");
    const std::string hebrew = "\u05D0\u05D1\u05D2";
    {
        QPdfWriter writer(QString::fromStdString(path));
        setUpReportPages(writer);
        PageComposer composer(bodySize(writer), &writer);
        for (const std::string& user : {"abc" + rlo + "def", hebrew}) {
            StyledText paragraph = userText(user);
            append(paragraph, plainText(" 12 \u00B7 site"));
            composer.addText(paragraph, bodyStyle);
        }
        paintPages(writer, composer.pages(), {});
    }
    // A box drawn for a formatting character would part the letters around it.
    const std::string text = pdfText(path);
    EXPECT_NE(text.find("abcfed 12 \u00B7 site"), std::string::npos) << text;
    EXPECT_NE(text.find("12 \u00B7 site", text.find(hebrew)), std::string::npos) << text;
}

TEST(StyledTextTest, MarkedTextSetsUnderscoredRunsLower) {
    const StyledCase cases[] = {
        {"U_L", "UL", {{'_', 1, 1}}},
        {"I_\u0394n", "I\u0394n", {{'_', 1, 2}}},
        {"Z_S \u2264 U_0 / I_a (0.4 s)",
         "ZS \u2264 U0 / Ia (0.4 s)",
         {{'_', 1, 1}, {'_', 6, 1}, {'_', 11, 1}}},
        {"R_ISO,x", "RISO,x", {{'_', 1, 3}}},
        {"a_ b_", "a_ b_", {}},
        {"x__1", "x_1", {{'_', 2, 1}}},
        {"U_\u0434", "U_\u0434", {}},
    };
    for (const StyledCase& c : cases) {
        const StyledText marked = markedText(c.row);
        EXPECT_EQ(marked.text, QString::fromUtf8(c.text)) << c.row;
        EXPECT_EQ(scriptsOf(marked), c.scripts) << c.row;
    }
}

TEST(StyledTextTest, AppendedRunsMoveAlong) {
    StyledText text = userText("ab");
    append(text, markedText("I_a = 2"));
    EXPECT_EQ(text.text, QString::fromStdString(fsi + "ab" + pdi + "Ia = 2"));
    EXPECT_EQ(scriptsOf(text), (std::vector<Script>{{'_', 5, 1}}));
}

}  // namespace
}  // namespace kadenza::test
