#include <gtest/gtest.h>

#include <vector>

#include "report/StyledText.h"

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
    const StyledText styled = plainText("a < b\nc\033\002d");
    EXPECT_EQ(styled.text,
              QStringLiteral("a < b") + QChar(QChar::LineSeparator) + QStringLiteral("c  d"));
    EXPECT_TRUE(styled.scripts.isEmpty());
}

}  // namespace
}  // namespace kadenza::test
