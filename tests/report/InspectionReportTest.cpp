#include <gtest/gtest.h>

#include <QString>
#include <iterator>
#include <memory>
#include <sstream>
#include <tuple>

#include "PdfTools.h"
#include "inspection/Evaluation.h"
#include "language/Language.h"
#include "report/InspectionReport.h"
#include "samples/SampleImages.h"
#include "support/SampleData.h"
#include "support/TempDir.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {
namespace {

constexpr int legacyModel = 0;

// The sample of a model (1 to 5) decoded as a download brings it; 0 is the Mx310.1's frame.
std::unique_ptr<InstrumentData> decodedSample(int model) {
    auto data = std::make_unique<InstrumentData>();
    if (model == legacyModel) {
        decodeLegacyFrame(samples::sampleLegacyFrame().data(), *data);
        return data;
    }
    const auto translator = createTranslator(model);
    const std::vector<std::uint8_t> image = samples::sampleImage(model);
    translator->copyIn(image.data(), 0, imageSize);
    translator->decodeData(*data);
    return data;
}

std::string bankLabel(int number) {
    return "Okruh " + std::to_string(number) + "A";
}

// A client, and every bank a label and what its rules need: a device, an RCD, a limit of the
// protective conductor and an appliance class.
DetailsDocument detailsFor(const InstrumentData& data) {
    DetailsDocument details;
    details.set("inspection.client", "Elektro Nováková s.r.o.");
    details.set("inspection.inspector", "Jan Dvořák");
    details.set("inspection.date", "2026-12-07");
    for (int b = 0; b < data.count(); ++b) {
        const std::string bank = "bank." + std::to_string(data.bank(b)->number()) + ".";
        details.set(bank + "label", bankLabel(data.bank(b)->number()));
        details.set(bank + "device", "B16");
        details.set(bank + "rcdCurrent", "30");
        details.set(bank + "rcdType", "A");
        details.set(bank + "applianceClass", "I");
        details.set(bank + "peLimit", "1");
    }
    return details;
}

int occurrences(const std::string& text, const std::string& word) {
    int count = 0;
    for (std::size_t at = text.find(word); at != std::string::npos;
         at = text.find(word, at + word.size())) {
        ++count;
    }
    return count;
}

struct LanguageWords {
    int language;
    const char* page;
    const char* pass;
    const char* fail;
};

// Names the language in a failing case's parameters.
void PrintTo(const LanguageWords& words, std::ostream* out) {
    *out << (words.language == englishLanguage ? "English" : "Czech");
}

const LanguageWords languageWords[] = {
    {englishLanguage, "Page %1 of %2", "pass", "fail"},
    {czechLanguage, "Strana %1 z %2", "vyhovuje", "nevyhovuje"},
};

class ReportTest : public ::testing::Test {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }

    // The report written to a file for poppler's tools.
    std::string reportFile(const InstrumentData& data, const DetailsDocument& details) {
        const std::string path = dir_.path("report" + std::to_string(++reports_) + ".pdf");
        EXPECT_TRUE(writeInspectionReport(path, data, details));
        return path;
    }

    TempDir dir_;
    int reports_ = 0;
};

using SampleCase = std::tuple<int, LanguageWords>;

class SampleReportTest : public ReportTest, public ::testing::WithParamInterface<SampleCase> {};

std::string caseName(const ::testing::TestParamInfo<SampleCase>& info) {
    const int model = std::get<0>(info.param);
    const bool english = std::get<1>(info.param).language == englishLanguage;
    return (model == legacyModel ? std::string("Legacy") : "Model" + std::to_string(model)) +
           (english ? "English" : "Czech");
}

// Every model's sample in both languages: the client, every bank's label, a verdict word for
// every judged item, the page numbers and the program on every page, every font embedded.
TEST_P(SampleReportTest, TellsEveryBankAndVerdictOnNumberedPages) {
    const auto [model, words] = GetParam();
    SetLanguage(words.language);
    const auto data = decodedSample(model);
    const DetailsDocument details = detailsFor(*data);
    const std::string path = reportFile(*data, details);

    const std::string text = pdfText(path);
    EXPECT_NE(text.find("Elektro Nováková s.r.o."), std::string::npos);
    for (int b = 0; b < data->count(); ++b) {
        EXPECT_NE(text.find(bankLabel(data->bank(b)->number())), std::string::npos) << b;
    }
    const VerdictCounts counts = evaluate(*data, details).counts;
    const int fails = occurrences(text, words.fail);
    // In Czech the failing word holds the passing one.
    const int passes =
        occurrences(text, words.pass) - (words.language == czechLanguage ? fails : 0);
    EXPECT_GE(fails, counts.fail);
    EXPECT_GE(passes, counts.pass);
    EXPECT_GT(counts.pass + counts.fail, 0);

    const int pages = pdfPageCount(path);
    ASSERT_GE(pages, 2);
    for (int page = 1; page <= pages; ++page) {
        const std::string pageText = pdfText(path, page, page);
        const QString number = QString::fromUtf8(words.page).arg(page).arg(pages);
        EXPECT_NE(pageText.find(number.toStdString()), std::string::npos) << page;
        EXPECT_NE(pageText.find("Kadenza " + std::string(programVersion())), std::string::npos);
    }

    const std::vector<std::string> fonts = pdfFontLines(path);
    EXPECT_FALSE(fonts.empty());
    for (const std::string& font : fonts) {
        std::istringstream columns(font);
        std::vector<std::string> fields{std::istream_iterator<std::string>(columns), {}};
        // From the right: object number and generation, uni, sub, emb.
        ASSERT_GE(fields.size(), 5u) << font;
        EXPECT_EQ(fields[fields.size() - 5], "yes") << font;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModel, SampleReportTest,
                         ::testing::Combine(::testing::Values(legacyModel, 1, 2, 3, 4, 5),
                                            ::testing::ValuesIn(languageWords)),
                         caseName);

// What a user typed and what a file holds is text, never markup.
TEST_F(ReportTest, MarkupCharactersComeOutLiterally) {
    SetLanguage(englishLanguage);
    const auto data = sampleData();
    DetailsDocument details;
    details.set("inspection.client", "<b>Nováková & \"Dům\"</b>");
    details.set("inspection.remarks", "R < 1 MΩ && t > 40 ms");
    details.set("bank." + std::to_string(data->bank(0)->number()) + ".label", "<i>kitchen</i>");
    const std::string text = pdfText(reportFile(*data, details));
    for (const char* literal :
         {"<b>Nováková & \"Dům\"</b>", "R < 1 MΩ && t > 40 ms", "<i>kitchen</i>",
          "kitchen socket <L1>", "RCD 30 mA \"AC\" & type A"}) {
        EXPECT_NE(text.find(literal), std::string::npos) << literal;
    }
}

// A bank longer than a page goes on with its head: its title and the columns' names again.
TEST_F(ReportTest, EveryPageOfTheMeasuredValuesHasTheColumnNames) {
    SetLanguage(englishLanguage);
    const auto data = largeData(300);
    const std::string path = reportFile(*data, detailsFor(*data));
    const int pages = pdfPageCount(path);
    ASSERT_GE(pages, 4);
    for (int page = firstPageWith(path, "Measured values"); page < pages; ++page) {
        EXPECT_NE(pdfText(path, page, page, true).find("Address Symbol Value Note Limit Verdict"),
                  std::string::npos)
            << page;
    }
}

TEST_F(ReportTest, AReportThatCannotBeWrittenSaysSo) {
    const auto data = sampleData();
    EXPECT_FALSE(writeInspectionReport(dir_.path("missing/report.pdf"), *data, {}));
    const std::string path = dir_.path("report.pdf");
    ASSERT_TRUE(writeInspectionReport(path, *data, {}));
    EXPECT_EQ(readFile(path).rfind("%PDF-", 0), 0u);
}

}  // namespace
}  // namespace kadenza::test
