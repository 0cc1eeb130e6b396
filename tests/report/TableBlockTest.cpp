#include <gtest/gtest.h>

#include <QPdfWriter>
#include <QRegularExpression>
#include <numeric>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "report/PagedPdf.h"
#include "report/PieceGroups.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

constexpr int headWords = 400;
constexpr int longCellWords = 14286;
constexpr int pairs = 150;

// "w00001": a word that tells where it was.
std::string numberedWord(char prefix, int number) {
    const std::string digits = std::to_string(number);
    return prefix + std::string(5 - digits.size(), '0') + digits;
}

std::string numberedWords(char prefix, int count) {
    std::string words;
    for (int word = 1; word <= count; ++word) {
        words += numberedWord(prefix, word) + " ";
    }
    return words;
}

TableRow row(const std::string& left, const std::string& right, bool keepWithPrevious = false) {
    return {{{plainText(left), bodyStyle}, {plainText(right), bodyStyle}}, {}, keepWithPrevious};
}

// A head taller than a quarter of a page, a cell of 100 000 characters, and after it values
// each with a companion row kept with it.
Table hostileTable() {
    Table table{{20, 80}, true, {}, {}};
    table.head.push_back({{{plainText(numberedWords('t', headWords)), bodyStyle}}, {}});
    table.rows.push_back(row("long", numberedWords('w', longCellWords)));
    for (int pair = 1; pair <= pairs; ++pair) {
        table.rows.push_back(row("value", numberedWord('v', pair)));
        // Pairs of uneven heights, so that a page would break inside some.
        table.rows.push_back(
            row("with", numberedWord('c', pair) + (pair % 2 == 0 ? "\nand more" : ""), true));
    }
    return table;
}

// The numbers of the words with the prefix, in the order the text has them.
std::vector<int> wordNumbers(const std::string& text, const QString& prefix) {
    std::vector<int> numbers;
    const QRegularExpression word(QStringLiteral("\\b") + prefix + QStringLiteral("(\\d{5})\\b"));
    for (const auto& match : word.globalMatch(QString::fromStdString(text))) {
        numbers.push_back(match.captured(1).toInt());
    }
    return numbers;
}

std::vector<int> oneTo(int count) {
    std::vector<int> numbers(static_cast<std::size_t>(count));
    std::iota(numbers.begin(), numbers.end(), 1);
    return numbers;
}

TEST(TableBlockTest, ARowTallerThanAPageGoesOnOverPagesWithEveryLine) {
    const TempDir dir;
    const std::string path = dir.path("table.pdf");
    {
        QPdfWriter writer(QString::fromStdString(path));
        setUpReportPages(writer);
        const QSizeF body = bodySize(writer);
        PageComposer composer(body, &writer);
        composer.addTable(hostileTable());
        for (const ComposedPage& page : composer.pages()) {
            for (const Placement& placed : page) {
                const Block& block = *placed.block;
                EXPECT_LE(placed.topLeft.y() + block.headHeight() +
                              piecesHeight(block, placed.first, placed.last + 1),
                          body.height());
            }
        }
        paintPages(writer, composer.pages(), {});
    }
    const std::string text = pdfText(path);
    EXPECT_EQ(wordNumbers(text, QStringLiteral("w")), oneTo(longCellWords));
    EXPECT_EQ(wordNumbers(text, QStringLiteral("v")), oneTo(pairs));
    // The head is drawn once, and a value's companion is on its page.
    const QStringList pages =
        QString::fromStdString(popplerOutput(QStringLiteral("pdftotext"),
                                             {QString::fromStdString(path), QStringLiteral("-")}))
            .split(QLatin1Char('\f'));
    for (qsizetype page = 0; page < pages.size(); ++page) {
        const std::string onPage = pages[page].toStdString();
        EXPECT_EQ(wordNumbers(onPage, QStringLiteral("t")),
                  page == 0 ? oneTo(headWords) : std::vector<int>{});
        EXPECT_EQ(wordNumbers(onPage, QStringLiteral("v")),
                  wordNumbers(onPage, QStringLiteral("c")));
    }
}

}  // namespace
}  // namespace kadenza::test
