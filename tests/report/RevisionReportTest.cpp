#include <gtest/gtest.h>

#include <QProcess>
#include <memory>
#include <string>
#include <vector>

#include "PdfTools.h"
#include "inspection/Checklist.h"
#include "inspection/DetailsDocument.h"
#include "language/Language.h"
#include "report/InspectionReport.h"
#include "support/PdfaPreflight.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

constexpr int loopImpedance = 3;
constexpr int shortCircuitCurrent = 26;
constexpr int insulation = 15;

std::unique_ptr<InstrumentData> revisedCircuits() {
    return DataBuilder()
        .bank(1)
        .item(loopImpedance, 0.5, true)
        .item(shortCircuitCurrent, 460)
        .item(insulation, 40e6, true, false, "500V")
        .bank(2)
        .item(loopImpedance, 0.9, true)
        .item(shortCircuitCurrent, 255)
        .build();
}

// A periodic revision as a technician records it: every item the report must hold.
DetailsDocument fullRevision() {
    DetailsDocument details;
    const std::vector<std::pair<std::string, std::string>> values = {
        {"inspection.kind", "periodic"},
        {"inspection.number", "42/2026"},
        {"inspection.operator", "Bytové družstvo Javorová, Javorová 12, Brno"},
        {"inspection.client", "Správa domů s.r.o."},
        {"inspection.site", "Javorová 12, Brno"},
        {"inspection.object", "Dům C"},
        {"inspection.scope", "Společné prostory od hlavního rozváděče"},
        {"inspection.supply", "3/N/PE AC 400/230 V 50 Hz TN-C-S"},
        {"inspection.protection", "Automatické odpojení od zdroje"},
        {"inspection.influences", "Protokol o vnějších vlivech 7/2019"},
        {"inspection.documents", "Zpráva o revizi 17/2021"},
        {"inspection.environment", "normal"},
        {"inspection.location", "commonParts"},
        {"inspection.date", "2026-12-01"},
        {"inspection.endDate", "2026-12-02"},
        {"inspection.reportDate", "2026-12-04"},
        {"inspection.handoverDate", "2026-12-07"},
        {"inspection.inspector", "Ing. Jan Dvořák"},
        {"inspection.licence", "1234/5/R-EZ-E2"},
        {"instrument.1.model", "Mx350"},
        {"instrument.1.serial", "SN 20-4417"},
        {"instrument.1.calibrationSheet", "KL 0815/2026"},
        {"instrument.1.calibrationDate", "2026-03-12"},
        {"defect.1.text", "Chybí označení obvodů RS2"},
        {"defect.1.class", "improvement"},
        {"defect.1.provision", "ČSN 33 2000-5-51 ed. 3, čl. 514.1"},
        {"defect.1.deadline", "2027-03-31"},
        {"inspection.conclusion", "safe"},
        {"bank.1.label", "Chodba"},
        {"bank.1.earthing", "TN-C-S"},
        {"bank.1.device", "B16"},
        {"bank.2.label", "Sklep"},
        {"bank.2.earthing", "TN-C-S"},
        {"bank.2.device", "B16"},
    };
    for (const auto& [name, value] : values) {
        details.set(name, value);
    }
    for (const CheckItem& item : checklist()) {
        details.set(std::string("check.") + item.name, item.functional ? "na" : "ok");
    }
    details.set("check.circuitIdentification", "defect");
    return details;
}

struct Wording {
    int language;
    std::vector<std::string> words;
    const char* draft;
    // How a draft without the operator starts to say what it lacks.
    const char* lacksOperator;
};

class RevisionReportTest : public ::testing::TestWithParam<Wording> {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }

    std::string written(const RevisionReport& report) {
        const std::string path = dir_.path("report" + std::to_string(++reports_) + ".pdf");
        writeFile(path, report.pdf.toStdString());
        return path;
    }

    TempDir dir_;
    int reports_ = 0;
};

// The report of a whole revision holds every item the regulation asks for, in the language's
// words and dates, the conclusion and the next revision computed from the tables; no draft.
TEST_P(RevisionReportTest, AWholeRevisionSaysEverythingAReportMust) {
    SetLanguage(GetParam().language);
    const RevisionReport report = revisionReport(*revisedCircuits(), fullRevision());
    EXPECT_EQ(report.missing, std::vector<MissingItem>{});
    const std::string path = written(report);
    // A label and its value read together as laid out; a text that wraps reads whole in the
    // reading order.
    const std::string laidOut = pdfText(path, 0, 0, true);
    const std::string text = pdfText(path);
    for (const std::string& word : GetParam().words) {
        EXPECT_TRUE(laidOut.find(word) != std::string::npos || text.find(word) != std::string::npos)
            << word << "\n"
            << laidOut;
    }
    EXPECT_EQ(text.find(GetParam().draft), std::string::npos);
    EXPECT_GE(report.signaturePage, 0);
    EXPECT_GT(report.signatureArea.width(), 50);
}

// A report that lacks a mandatory item is still written, marked a draft on every page and
// naming what it lacks; a conclusion of safe that cannot stand is not stated.
TEST_P(RevisionReportTest, AReportThatLacksAnItemIsADraftOnEveryPage) {
    SetLanguage(GetParam().language);
    DetailsDocument details = fullRevision();
    details.set("inspection.operator", "");
    details.set("inspection.kind", "initial");
    details.set("bank.2.device", "C32");
    const RevisionReport report = revisionReport(*revisedCircuits(), details);
    ASSERT_GE(report.missing.size(), 2u);
    EXPECT_EQ(report.missing[0].key, "inspection.operator");
    const std::string path = written(report);
    for (int page = 1; page <= pdfPageCount(path); ++page) {
        EXPECT_NE(pdfText(path, page, page).find(GetParam().draft), std::string::npos) << page;
    }
    const std::string text = pdfText(path);
    EXPECT_NE(text.find(GetParam().lacksOperator), std::string::npos) << text;
    EXPECT_EQ(text.find("inspection."), std::string::npos) << "a detail's key in the report";
    EXPECT_EQ(text.find(GetParam().words.back()), std::string::npos)
        << "the conclusion of safe is stated beside a failed value of an initial revision";
}

const Wording wordings[] = {
    {czechLanguage,
     {"Zpráva o revizi elektrické instalace",
      "Číslo zprávy 42/2026",
      "Druh revize pravidelná",
      "Provozovatel Bytové družstvo Javorová, Javorová 12, Brno",
      "Rozsah revize",
      "Zahájení revize 1. 12. 2026",
      "Ukončení revize 2. 12. 2026",
      "Vypracování zprávy 4. 12. 2026",
      "Předání zprávy 7. 12. 2026",
      "Revizní technik Ing. Jan Dvořák",
      "Číslo osvědčení 1234/5/R-EZ-E2",
      "Podklady",
      "SN 20-4417",
      "KL 0815/2026",
      "12. 3. 2026",
      "Prohlídka",
      "Spoje vodičů vyhovuje",
      "Označení obvodů, pojistek, spínačů a svorek ✗ závada",
      "Zkušební tlačítka",
      "Chybí označení obvodů RS2",
      "ČSN 33 2000-5-51 ed. 3",
      "b)",
      "31. 3. 2027",
      "Příští pravidelná revize: 2. 12. 2028 (podle druhu objektu: společné prostory bytových "
      "domů, každých 24 měsíců)",
      "Rozdělovník",
      "Zprávu převzal (provozovatel)",
      "Elektrická instalace je z hlediska bezpečnosti schopna provozu."},
     "KONCEPT",
     "Chybí: provozovatel, "},
    {englishLanguage,
     {"Electrical installation inspection report",
      "Report number 42/2026",
      "Kind of revision periodic inspection",
      "Operator Bytové družstvo Javorová",
      "Scope",
      "Start of the revision 2026-12-01",
      "End of the revision 2026-12-02",
      "Report written 2026-12-04",
      "Report handed over 2026-12-07",
      "Inspector Ing. Jan Dvořák",
      "Licence number 1234/5/R-EZ-E2",
      "Documents used",
      "Calibration sheet",
      "2026-03-12",
      "Connections of conductors satisfactory",
      "✗ defect",
      "RCD test buttons not applicable",
      "Defects found",
      "C3",
      "2027-03-31",
      "Next periodic revision: 2028-12-02 (set by the kind of place: common parts of blocks of "
      "flats, every 24 months)",
      "Distribution list",
      "Received by (operator)",
      "The installation is SATISFACTORY: it is safe for continued use."},
     "DRAFT",
     "It lacks: operator, "},
};

INSTANTIATE_TEST_SUITE_P(BothLanguages, RevisionReportTest, ::testing::ValuesIn(wordings),
                         [](const ::testing::TestParamInfo<Wording>& info) {
                             return info.param.language == czechLanguage ? "Czech" : "English";
                         });

// What a revision's details change in its report: the words it must show and those it must
// not.
struct ReportCase {
    const char* name;
    int language;
    std::vector<std::pair<std::string, std::string>> changes;
    std::vector<std::string> shown;
    std::vector<std::string> notShown;
};

class RevisionReportCaseTest : public ::testing::TestWithParam<ReportCase> {
  protected:
    void TearDown() override { SetLanguage(czechLanguage); }

    TempDir dir_;
};

// The text of the report, laid out and in reading order, so that a phrase wrapped in either
// is found in the other.
std::string reportText(const std::string& path) {
    return pdfText(path, 0, 0, true) + "\n" + pdfText(path);
}

TEST_P(RevisionReportCaseTest, TheReportSaysWhatTheDetailsMean) {
    SetLanguage(GetParam().language);
    DetailsDocument details = fullRevision();
    for (const auto& [name, value] : GetParam().changes) {
        details.set(name, value);
    }
    const std::string path = dir_.path("report.pdf");
    writeFile(path, revisionReport(*revisedCircuits(), details).pdf.toStdString());
    const std::string text = reportText(path);
    for (const std::string& word : GetParam().shown) {
        EXPECT_NE(text.find(word), std::string::npos) << word << "\n" << text;
    }
    for (const std::string& word : GetParam().notShown) {
        EXPECT_EQ(text.find(word), std::string::npos) << word << "\n" << text;
    }
}

const std::vector<std::pair<std::string, std::string>> noDefectOne = {{"defect.1.text", ""},
                                                                      {"defect.1.class", ""},
                                                                      {"defect.1.provision", ""},
                                                                      {"defect.1.deadline", ""}};

const ReportCase reportCases[] = {
    {"PotentiallyDangerousDefectBesideSafe",
     englishLanguage,
     {{"defect.1.class", "potential"}},
     {"DRAFT", "defect 1 is potentially dangerous"},
     {"SATISFACTORY"}},
    {"MissingInTheReportsLanguage",
     czechLanguage,
     {{"inspection.operator", ""}, {"inspection.scope", " \t"}},
     {"KONCEPT", "Chybí: provozovatel, rozsah revize."},
     {"inspection.", "Rozsah revize Společné"}},
    {"CheckFoundDefectiveWithoutADefect",
     englishLanguage,
     noDefectOne,
     {"DRAFT", "a numbered defect for", "No defects were found."},
     {}},
    {"CalibratedAfterTheRevision",
     englishLanguage,
     {{"instrument.1.calibrationDate", "2026-12-05"}},
     {"DRAFT", "instrument 1 (Mx350 SN 20-4417)", "dated after the revision"},
     {}},
    {"DefectsNumberedThroughout",
     englishLanguage,
     {{"defect.1.text", ""},
      {"defect.1.class", ""},
      {"defect.1.provision", ""},
      {"defect.1.deadline", ""},
      {"defect.4.text", "First cover"},
      {"defect.4.class", "improvement"},
      {"defect.4.provision", "514.1"},
      {"defect.4.deadline", "2027-01-31"},
      {"defect.9.text", "Second cover"},
      {"defect.9.class", "improvement"},
      {"defect.9.provision", "514.1"},
      {"defect.9.deadline", "2027-01-31"}},
     {"1. First cover", "2. Second cover"},
     {"DRAFT"}},
    {"DistributionListGiven",
     englishLanguage,
     {{"inspection.distribution", "Operator: 2 copies\n\n  \nBuilding office"}},
     {"Distribution list:", "Operator: 2 copies", "Building office"},
     {"1× operator, 1× inspector"}},
    {"CircuitDescribedButNotMeasured",
     czechLanguage,
     {{"bank.7.label", "Garáž"}, {"bank.7.device", "B10"}},
     {"Banka 7", "Garáž", "neměřeno"},
     {"KONCEPT"}},
    {"NextDateBeyondTheTables",
     englishLanguage,
     {{"inspection.nextDate", "2036-12-02"}},
     {"2036-12-02", "exceeds the period of the tables", "which set 2028-12-02"},
     {"DRAFT"}},
};

INSTANTIATE_TEST_SUITE_P(Cases, RevisionReportCaseTest, ::testing::ValuesIn(reportCases),
                         [](const ::testing::TestParamInfo<ReportCase>& info) {
                             return std::string(info.param.name);
                         });

// An archive keeps the report as PDF/A-1b: the part and conformance, and who wrote what about
// which installation, in the document's metadata and in its information, which PDF/A wants to
// agree.
TEST(RevisionReportMetadataTest, PdfaWithTitleAuthorAndSubject) {
    SetLanguage(englishLanguage);
    TempDir dir;
    const std::string path = dir.path("report.pdf");
    writeFile(path, revisionReport(*revisedCircuits(), fullRevision()).pdf.toStdString());
    SetLanguage(czechLanguage);
    const std::string info =
        popplerOutput(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    for (const char* field :
         {"Title:           Electrical installation inspection report 42/2026",
          "Author:          Ing. Jan Dvořák", "Subject:         Bytové družstvo Javorová"}) {
        EXPECT_NE(info.find(field), std::string::npos) << field << "\n" << info;
    }
    EXPECT_EQ(pdfaProblems(path), "");
    const std::string xmp = popplerOutput(QStringLiteral("pdfinfo"),
                                          {QStringLiteral("-meta"), QString::fromStdString(path)});
    for (const char* field :
         {"pdfaid:part=\"1\"", "pdfaid:conformance=\"B\"", "<rdf:li>Ing. Jan Dvořák</rdf:li>",
          "Bytové družstvo Javorová", "xmp:CreatorTool=\"Kadenza"}) {
        EXPECT_NE(xmp.find(field), std::string::npos) << field << "\n" << xmp;
    }
}

}  // namespace
}  // namespace kadenza::test
