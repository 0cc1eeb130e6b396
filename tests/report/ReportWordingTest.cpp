#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <memory>

#include "PdfTools.h"
#include "inspection/DetailsDocument.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "report/InspectionReport.h"
#include "support/LocaleGuard.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

constexpr int lineVoltage = 1;
constexpr int loopImpedance = 3;
constexpr int insulation = 15;
constexpr int shortCircuitCurrent = 26;

// Three circuits whose verdicts are known: Kitchen fails its insulation (0.4 MΩ on a 230 V
// circuit), Hall lacks its breaker, Garage passes; every loop reading has its I_K after it.
std::unique_ptr<InstrumentData> threeCircuits(double kitchenInsulation = 0.4e6) {
    return DataBuilder()
        .bank(1)
        .item(loopImpedance, 0.5, true)
        .item(shortCircuitCurrent, 460)
        .item(insulation, kitchenInsulation, true, false, "500V")
        .item(lineVoltage, 230, true)
        .bank(2)
        .item(loopImpedance, 1.0, true)
        .item(shortCircuitCurrent, 230)
        .item(insulation, 50e6, true, false, "500V")
        .bank(3)
        .item(loopImpedance, 1.0, true)
        .item(shortCircuitCurrent, 230)
        .item(insulation, 20e6, true, false, "500V")
        .build();
}

DetailsDocument threeCircuitDetails() {
    DetailsDocument details;
    details.set("inspection.client", "Elektro Nováková s.r.o.");
    details.set("inspection.inspector", "Jan Dvořák");
    details.set("inspection.date", "2026-12-07");
    for (const auto& [bank, label] :
         {std::pair("1", "Kitchen"), std::pair("2", "Hall"), std::pair("3", "Garage")}) {
        details.set(std::string("bank.") + bank + ".label", label);
        details.set(std::string("bank.") + bank + ".earthing", "TN");
    }
    details.set("bank.1.device", "B16");
    details.set("bank.3.device", "C10");
    details.set("bank.3.rcdCurrent", "30");
    return details;
}

// A line of the page as laid out, its runs of blanks made one.
bool hasLine(const std::string& page, const std::string& pattern) {
    const QRegularExpression expression(QString::fromStdString(pattern),
                                        QRegularExpression::MultilineOption);
    return expression.match(QString::fromStdString(page)).hasMatch();
}

class ReportWordingTest : public ::testing::Test {
  protected:
    void SetUp() override { SetLanguage(englishLanguage); }
    void TearDown() override { SetLanguage(czechLanguage); }

    std::string report(const InstrumentData& data, const DetailsDocument& details) {
        const std::string path = dir_.path("report" + std::to_string(++reports_) + ".pdf");
        EXPECT_TRUE(writeInspectionReport(path, data, details));
        return path;
    }

    // A page's text as laid out (every page's for 0), each line's blanks made one.
    static std::string laidOut(const std::string& path, int page) {
        QStringList arguments{QStringLiteral("-layout")};
        if (page > 0) {
            arguments << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
                      << QString::number(page);
        }
        arguments << QString::fromStdString(path) << QStringLiteral("-");
        const std::string text = popplerOutput(QStringLiteral("pdftotext"), arguments);
        return QString::fromStdString(text)
            .replace(QRegularExpression(QStringLiteral("[ \\t]+")), QStringLiteral(" "))
            .toStdString();
    }

    TempDir dir_;
    int reports_ = 0;
};

// The summary says the overall result, why it is not a pass, and each bank's counts in the
// order passed, failed, missing detail, not judged.
TEST_F(ReportWordingTest, TheSummarySaysTheOverallResultAndEachBanksCounts) {
    const std::string failing = laidOut(report(*threeCircuits(), threeCircuitDetails()), 0);
    EXPECT_TRUE(hasLine(failing, "^ ?Overall verdict: ✗ fail *$")) << failing;
    EXPECT_TRUE(hasLine(failing, "Passed: 4 · Failed: 1 · Missing detail: 1 · Not judged: 4"))
        << failing;
    EXPECT_TRUE(hasLine(failing, "Missing details: Protective device \\(Bank 2\\)")) << failing;
    EXPECT_TRUE(hasLine(failing, "Bank 1 Kitchen 1 1 0 2 ✗ fail *$")) << failing;
    EXPECT_TRUE(hasLine(failing, "Bank 2 Hall 1 0 1 1 incomplete *$")) << failing;
    EXPECT_TRUE(hasLine(failing, "Bank 3 Garage 2 0 0 1 pass *$")) << failing;

    const std::string incomplete = laidOut(report(*threeCircuits(4e6), threeCircuitDetails()), 0);
    EXPECT_TRUE(hasLine(incomplete, "^ ?Overall verdict: incomplete *$")) << incomplete;
    EXPECT_TRUE(hasLine(incomplete, "Passed: 5 · Failed: 0 · Missing detail: 1")) << incomplete;

    DetailsDocument complete = threeCircuitDetails();
    complete.set("bank.2.device", "B10");
    const std::string passing = laidOut(report(*threeCircuits(4e6), complete), 0);
    EXPECT_TRUE(hasLine(passing, "^ ?Overall verdict: pass *$")) << passing;
    EXPECT_FALSE(hasLine(passing, "Missing details")) << passing;
    EXPECT_TRUE(hasLine(passing, "Bank 2 Hall 2 0 0 1 pass *$")) << passing;
}

// A failed item's row is bold and red in every cell and its verdict crossed; a passed one is
// plain black.
TEST_F(ReportWordingTest, AFailedRowIsBoldRedAndCrossedAPassedOneIsNot) {
    const std::string path = report(*threeCircuits(), threeCircuitDetails());
    const std::vector<PdfRun> runs = pdfRuns(path, firstPageWith(path, "Measured values"));
    // A row's cells are its runs at the cell's height; the draft's mark, whose large letters lie
    // across the rows, is none of them.
    const auto rowAt = [&](const std::string& cell) {
        const auto found = std::find_if(runs.begin(), runs.end(),
                                        [&](const PdfRun& run) { return run.text == cell; });
        EXPECT_NE(found, runs.end()) << cell;
        std::vector<PdfRun> row;
        for (const PdfRun& run : runs) {
            if (found != runs.end() && std::abs(run.top - found->top) <= 2 &&
                run.height < 2 * found->height) {
                row.push_back(run);
            }
        }
        std::sort(row.begin(), row.end(),
                  [](const PdfRun& a, const PdfRun& b) { return a.left < b.left; });
        return row;
    };
    const std::vector<PdfRun> failed = rowAt("400 kΩ");
    ASSERT_GE(failed.size(), 5u);
    std::string cells;
    for (const PdfRun& run : failed) {
        cells += run.text + "|";
        EXPECT_TRUE(run.bold) << run.text;
        EXPECT_EQ(run.colour, "#b00000") << run.text;
    }
    EXPECT_NE(cells.find("≥ 1 MΩ|"), std::string::npos) << cells;
    EXPECT_NE(cells.find("✗|"), std::string::npos) << cells;
    EXPECT_NE(cells.find("fail|"), std::string::npos) << cells;

    for (const PdfRun& run : rowAt("20 MΩ")) {
        EXPECT_FALSE(run.bold) << run.text;
        EXPECT_EQ(run.colour, "#000000") << run.text;
        EXPECT_EQ(run.text.find("✗"), std::string::npos) << run.text;
    }
}

// A value reads in its row as drawn, its unit after a blank even where number and unit are
// one character each; a current or a time judged against a limit in mA or ms is written in it;
// an RCD current whose verdict hangs on the test's waveform, which its note does not name, says
// so.
TEST_F(ReportWordingTest, ValuesReadAsDrawnInTheUnitsOfTheirLimits) {
    constexpr int tripCurrent = 5;
    constexpr int tripTime = 6;
    const auto data = DataBuilder()
                          .bank(1)
                          .item(loopImpedance, 2, true)
                          .item(tripCurrent, 0.198, true, false, "300mA AC")
                          .item(tripTime, 0.2, true, false, "300mA AC")
                          .item(tripCurrent, 1.2, true, true, "500mA A -")
                          .item(tripCurrent, 0.038, true, false, "30 mA")
                          .build();
    DetailsDocument details = threeCircuitDetails();
    details.set("bank.1.rcdType", "A");
    const struct {
        int language;
        std::vector<const char*> rows;
    } cases[] = {
        {englishLanguage,
         {"^ ?1 ZS 2 Ω ≤ 2.87 Ω pass *$", "^ ?2 IΔ 198 mA 300mA AC 150 … 300 mA pass *$",
          "^ ?3 tA 200 ms 300mA AC 130 … 300 ms pass *$",
          "^ ?4 IΔ >1200 mA 500mA A - 175 … 700 mA ✗ fail *$",
          "^ ?5 IΔ 38 mA 30 mA missing: Test waveform *$"}},
        {czechLanguage,
         {"^ ?2 IΔ 198 mA 300mA AC 150 … 300 mA vyhovuje *$",
          "^ ?5 IΔ 38 mA 30 mA chybí: Průběh zkušebního"}},
    };
    for (const auto& c : cases) {
        SetLanguage(c.language);
        const std::string text = laidOut(report(*data, details), 0);
        for (const char* row : c.rows) {
            EXPECT_TRUE(hasLine(text, row)) << row << "\n" << text;
        }
    }
}

// The profile names its edition wherever the report speaks of it, and the limits follow it.
TEST_F(ReportWordingTest, TheProfilesEditionAndItsLimits) {
    const struct {
        const char* profile;
        const char* name;
        const char* standard;
        const char* source;
        const char* limit;
    } cases[] = {
        {"installation-2016", "Installation, IEC 60364-6:2016", "IEC 60364-6:2016 / ČSN 33 2000-6",
         "IEC 60364-6:2016, 6.4.3.3, Table 6.1", "≥ 1 MΩ"},
        {"installation-2006", "Installation, IEC 60364-6:2006", "IEC 60364-6:2006 / ČSN 33 2000-6",
         "IEC 60364-6:2006, 61.3.3, Table 6A", "≥ 1 MΩ"},
        {"installation-2001", "Installation built under IEC 60364-6-61:2001",
         "IEC 60364-6-61:2001 / ČSN 33 2000-6-61", "IEC 60364-6-61:2001, 612.3, Table 61A",
         "≥ 0.5 MΩ"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.profile);
        DetailsDocument details = threeCircuitDetails();
        details.set("inspection.profile", c.profile);
        const std::string path = report(*threeCircuits(0.7e6), details);
        const std::string front = laidOut(path, firstPageWith(path, "Summary"));
        EXPECT_TRUE(hasLine(front, std::string("Profile ") + c.name + " *$")) << front;
        EXPECT_TRUE(hasLine(front, std::string("Standards ") + c.standard)) << front;
        EXPECT_NE(pdfText(path).find(c.source), std::string::npos);
        EXPECT_TRUE(hasLine(laidOut(path, firstPageWith(path, "Measured values")),
                            std::string("700 kΩ 500V ") + c.limit));
    }
}

// Czech numbers and dates whatever the locale, English ones likewise; units as the instrument
// and the details give them, with IΔn set as such.
TEST_F(ReportWordingTest, NumbersAndDatesFollowTheReportsLanguageNotTheLocale) {
    DetailsDocument details = threeCircuitDetails();
    details.set("inspection.nextDate", "2031-12-07");
    details.set("inspection.loopFactor", "0.8");
    const struct {
        SeparatorCase locale;
        int language;
        std::vector<const char*> words;
    } cases[] = {
        {pointLocale,
         czechLanguage,
         {"7. 12. 2026", "7. 12. 2031", "0,5 Ω", "≤ 2,3 Ω", "0,8",
          "Jmenovitý reziduální proud IΔn: 30 mA"}},
        {commaLocale,
         englishLanguage,
         {"2026-12-07", "2031-12-07", "0.5 Ω", "≤ 2.3 Ω", "0.8",
          "Rated residual current IΔn: 30 mA"}},
    };
    for (const auto& c : cases) {
        LocaleGuard locale(c.locale.locale);
        ASSERT_TRUE(locale.ok()) << c.locale.locale;
        SetLanguage(c.language);
        const std::string text = pdfText(report(*threeCircuits(), details));
        for (const char* word : c.words) {
            EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
        }
    }
}

// A detail of 100 000 characters goes on over pages and stops above every footer; a report
// number with a right-to-left override turns only its own letters around ("def" reads "fed"),
// not the site and the date after it in the running head.
TEST_F(ReportWordingTest, HostileDetailsNeitherOverprintNorReorder) {
    std::string words;
    for (int word = 1; word <= 14000; ++word) {
        char text[16];
        std::snprintf(text, sizeof text, "w%05d ", word);
        words += text;
    }
    DetailsDocument details = threeCircuitDetails();
    details.set("inspection.remarks", words.substr(0, 100000));
    details.set("inspection.number", "abc\u202Edef");
    details.set("inspection.site", "Brno");
    const std::string path = report(*threeCircuits(), details);
    const std::string text = pdfText(path);
    std::size_t at = 0;
    for (int word = 1; word <= 14000; word += 997) {
        char wanted[16];
        std::snprintf(wanted, sizeof wanted, "w%05d", word);
        at = text.find(wanted, at);
        ASSERT_NE(at, std::string::npos) << wanted;
    }
    const int pages = pdfPageCount(path);
    ASSERT_GT(pages, 10);
    for (int page = 2; page <= pages; ++page) {
        const std::vector<PdfRun> runs = pdfRuns(path, page);
        const auto footer = std::find_if(runs.begin(), runs.end(), [](const PdfRun& run) {
            return run.text.rfind("Kadenza ", 0) == 0;
        });
        ASSERT_NE(footer, runs.end()) << page;
        for (const PdfRun& run : runs) {
            if (&run != &*footer && run.text.rfind("Page ", 0) != 0) {
                EXPECT_LT(run.top + run.height, footer->top) << page << " " << run.text;
            }
        }
        EXPECT_TRUE(hasLine(laidOut(path, page), "abcfed · Brno · 2026-12-07 *$")) << page;
    }
}

// Numbered words "w00001 w00002 …", so that a test sees that none is lost.
std::string numberedWords(int count, char letter) {
    std::string words;
    for (int word = 1; word <= count; ++word) {
        char text[16];
        std::snprintf(text, sizeof text, "%c%05d ", letter, word);
        words += text;
    }
    return words;
}

// A bank's long remark and label, and a note longer than a page, cost no row and no word.
TEST_F(ReportWordingTest, LongBankTextsLoseNoRow) {
    auto data = threeCircuits();
    data->bank(2)->add(
        std::make_unique<InstrumentItem>(20e6, insulation, numberedWords(3000, 'n'), true, false));
    DetailsDocument details = threeCircuitDetails();
    details.set("bank.1.remarks", numberedWords(1500, 'r'));
    details.set("bank.2.label", numberedWords(1700, 'l'));
    const std::string text = pdfText(report(*data, details));
    for (const char* row : {"400 kΩ", "460 A", "50 MΩ", "230 A", "Garage", "20 MΩ"}) {
        EXPECT_NE(text.find(row), std::string::npos) << row;
    }
    for (const char letter : {'n', 'r', 'l'}) {
        std::size_t at = 0;
        for (int word = 1; word <= 1500; word += 7) {
            char wanted[16];
            std::snprintf(wanted, sizeof wanted, "%c%05d", letter, word);
            at = text.find(wanted, at);
            ASSERT_NE(at, std::string::npos) << wanted;
        }
    }
}

// A loop reading and the I_K after it share a page: every page of measured values goes on
// with a row that has its address number (or the bank's details row), never with an I_K.
TEST_F(ReportWordingTest, ARecordsRowsStayOnOnePage) {
    DataBuilder builder;
    builder.bank(1);
    for (int record = 0; record < 150; ++record) {
        builder.item(loopImpedance, 0.3 + record / 1000.0, true).item(shortCircuitCurrent, 700);
    }
    const std::string path = report(*builder.build(), threeCircuitDetails());
    const int pages = pdfPageCount(path);
    ASSERT_GE(pages, 4);
    for (int page = firstPageWith(path, "Measured values"); page <= pages - 1; ++page) {
        const std::string text = laidOut(path, page);
        const std::size_t head = text.find("Address Symbol Value Note Limit Verdict");
        ASSERT_NE(head, std::string::npos) << page;
        const std::size_t firstRow = text.find('\n', head) + 1;
        EXPECT_TRUE(hasLine(text.substr(firstRow, text.find('\n', firstRow) - firstRow),
                            "^ ?([0-9]+ ZS|Protective device)"))
            << page << "\n"
            << text;
    }
}

// However long the remarks before it, the signature never opens the last page alone.
TEST_F(ReportWordingTest, TheSignatureNeverStandsAloneOnTheLastPage) {
    for (int lines = 40; lines <= 80; lines += 4) {
        std::string remarks;
        for (int line = 0; line < lines; ++line) {
            remarks += "remark line " + std::to_string(line) + "\n";
        }
        DetailsDocument details = threeCircuitDetails();
        details.set("inspection.remarks", remarks);
        const std::string path = report(*threeCircuits(), details);
        const std::string last = laidOut(path, pdfPageCount(path));
        const std::size_t signature = last.rfind("Signature");
        ASSERT_NE(signature, std::string::npos) << lines;
        const std::size_t head = last.find("Inspection report");
        const std::string before =
            last.substr(head == std::string::npos ? 0 : last.find('\n', head), signature);
        EXPECT_TRUE(hasLine(before, "(remark line|•|Sources|Distribution list|Received by)"))
            << lines << "\n"
            << last;
    }
}

}  // namespace
}  // namespace kadenza::test
