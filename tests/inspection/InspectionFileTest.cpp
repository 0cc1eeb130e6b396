#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <stdexcept>

#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "inspection/JsonExport.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/NativeFile.h"
#include "samples/SampleImages.h"
#include "support/LocaleGuard.h"
#include "support/SampleData.h"
#include "support/TempDir.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {
namespace {

constexpr int loopImpedance = 3;
constexpr int insulation = 15;
constexpr int conductorResistance = 7;

class InspectionFileTest : public ::testing::Test {
  protected:
    static DetailsDocument someDetails() {
        DetailsDocument details;
        details.set("inspection.client", "Nováková, \"Dům\"");
        details.set("inspection.date", "2026-12-07");
        details.set("inspection.touchVoltageLimit", "25");
        details.set("bank.1.device", "b16");
        details.set("bank.1.rcdSelective", "yes");
        details.set("bank.1.nominalVoltage", "selv");
        details.set("bank.-5.label", "Kuchyně");
        return details;
    }

    TempDir dir_;
};

TEST_F(InspectionFileTest, DetailsAreTypedAsTheyAreSetAndRemovedWhenEmptied) {
    DetailsDocument details = someDetails();
    EXPECT_EQ(details.inspection().client, "Nováková, \"Dům\"");
    EXPECT_EQ(details.inspection().touchVoltageLimit, 25.0);
    EXPECT_EQ(details.bank(1).device, "B16");
    EXPECT_EQ(details.bank(1).rcdSelective, true);
    EXPECT_EQ(details.bank(1).nominalVoltage, "SELV");
    EXPECT_EQ(details.bank(-5).label, "Kuchyně");
    EXPECT_EQ(details.bankNumbers(), (std::vector<int>{-5, 1}));
    EXPECT_EQ(details.bank(2).device, "");
    details.set("bank.1.device", "");
    details.set("bank.7.device", "");
    EXPECT_EQ(details.bank(1).device, "");
    EXPECT_EQ(details.bankNumbers(), (std::vector<int>{-5, 1}));

    DetailsDocument none;
    none.set("bank.1.label", "");
    EXPECT_TRUE(none.empty());
    // The last detail gone, nothing is left of the document; keys of others keep it.
    DetailsDocument last;
    last.set("bank.1.label", "Kuchyně");
    last.set("inspection.site", "Brno");
    last.set("bank.1.label", "");
    EXPECT_EQ(last.toJson(), R"({"inspection":{"site":"Brno"},"version":1})");
    last.set("inspection.site", "");
    EXPECT_TRUE(last.empty());
    DetailsDocument foreign =
        DetailsDocument::fromJson(R"({"version":1,"tool":1,"banks":{"1":{}}})");
    foreign.set("bank.1.label", "");
    EXPECT_EQ(foreign.toJson(), R"({"tool":1,"version":1})");
}

// What set accepts is what the verdicts read: the same number however it is written, and
// nothing that cannot be true.
TEST_F(InspectionFileTest, DetailsRefuseNamesAndValuesTheyCannotTake) {
    const std::pair<const char*, const char*> refused[] = {
        {"inspection.colour", "red"},
        {"bank.x.device", "B16"},
        {"bank.01.device", "B16"},
        {"client", "A"},
        {"inspection.date", "7.12.26"},
        {"inspection.date", "2026-13-01"},
        {"inspection.date", "2026-02-30"},
        {"inspection.nextDate", "2025-02-29"},
        {"inspection.date", "2026-04-31"},
        {"inspection.profile", "house"},
        {"inspection.touchVoltageLimit", "40"},
        {"inspection.loopFactor", "0.5"},
        {"bank.1.device", "gG16"},
        {"bank.1.device", "B"},
        {"bank.1.device", "B-6"},
        {"bank.1.device", "C1e1"},
        {"bank.1.rcdCurrent", "0"},
        {"bank.1.rcdCurrent", "30mA"},
        {"bank.1.rcdCurrent", "0.03"},
        {"bank.1.rcdCurrent", "25"},
        {"bank.1.rcdType", "S"},
        {"bank.1.rcdSelective", "maybe"},
        {"bank.1.earthing", "TNC"},
        {"bank.1.nominalVoltage", "low"},
        {"bank.1.nominalVoltage", "1.2e2"},
        {"bank.1.nominalVoltage", "120,5,0"},
        {"bank.1.applianceClass", "IV"},
        {"bank.1.cordLength", "inf"},
        {"bank.1.peLimit", "1e-1"},
    };
    for (const auto& [name, value] : refused) {
        DetailsDocument details;
        EXPECT_THROW(details.set(name, value), std::invalid_argument) << name << "=" << value;
        EXPECT_TRUE(details.empty()) << name;
    }
    DetailsDocument details;
    details.set("bank.1.peLimit", "0,35");
    details.set("bank.1.nominalVoltage", "120,5");
    details.set("bank.2.nominalVoltage", "400 V");
    details.set("bank.1.device", "b1,6a");
    details.set("bank.1.rcdCurrent", "30");
    details.set("inspection.loopFactor", "0,8");
    details.set("inspection.date", "2024-02-29");
    EXPECT_EQ(details.bank(1).peLimit, 0.35);
    EXPECT_EQ(details.bank(1).nominalVoltage, "120.5");
    EXPECT_EQ(details.bank(2).nominalVoltage, "400");
    EXPECT_EQ(details.bank(1).device, "B1.6");
    EXPECT_EQ(details.bank(1).rcdCurrent, 30.0);
    EXPECT_EQ(details.inspection().loopFactor, "0.8");
    try {
        details.set("bank.1.rcdCurrent", "0.03");
        FAIL() << "amperes were taken for milliamperes";
    } catch (const std::invalid_argument& error) {
        EXPECT_NE(std::string(error.what()).find("0.03 A is 30 mA"), std::string::npos);
    }
    // The next inspection cannot come first, whichever date is set last; on the way there
    // one date may pass the other.
    details.set("inspection.nextDate", "2029-02-28");
    EXPECT_NO_THROW(details.checkConsistent());
    details.set("inspection.date", "2029-03-01");
    EXPECT_THROW(details.checkConsistent(), std::invalid_argument);
    details.set("inspection.nextDate", "2034-03-01");
    EXPECT_NO_THROW(details.checkConsistent());
}

// A file keeps what an older program or a hand let into it, for the verdicts to take as
// missing; an import is held to what set accepts.
TEST_F(InspectionFileTest, FilesKeepUnreadableValuesImportsRefuseThem) {
    const std::string text =
        R"({"version": 1, "tool": {"x": [1, 2]}, "inspection": {"client": "A", "weather": "dry",
            "touchVoltageLimit": "50", "date": "2026-02-30"},
            "banks": {"3": {"rcdCurrent": 30, "colour": "blue", "earthing": "XX"}}})";
    const DetailsDocument stored = DetailsDocument::fromJson(text);
    EXPECT_EQ(stored.inspection().touchVoltageLimit, 50.0);
    EXPECT_EQ(stored.inspection().date, "2026-02-30");
    EXPECT_EQ(stored.bank(3).rcdCurrent, 30.0);
    EXPECT_EQ(stored.bank(3).earthing, "XX");
    const std::string kept = stored.toJson();
    for (const char* part : {R"("tool":{"x":[1,2]})", R"("weather":"dry")", R"("colour":"blue")"}) {
        EXPECT_NE(kept.find(part), std::string::npos) << part;
    }
    EXPECT_EQ(DetailsDocument::fromJson(kept).toJson(), kept);
    EXPECT_THROW(DetailsDocument::imported(text), std::runtime_error);
    EXPECT_NO_THROW(DetailsDocument::imported(
        R"({"version": 1, "inspection": {"date": "2026-02-28", "nextDate": "2026-03-01"}})"));

    for (const char* wrong :
         {"", "[1]", R"({"inspection": {}})", R"({"version": 2})", R"({"version": 1, "banks": []})",
          R"({"version": 1, "banks": {"one": {}}})", R"({"version": 1, "inspection": [1]})"}) {
        EXPECT_THROW(DetailsDocument::fromJson(wrong), std::runtime_error) << wrong;
    }
    for (const char* wrong : {R"({"version": 1, "inspection": {"date": true}})",
                              R"({"version": 1, "banks": {"1": {"earthing": "XX"}}})",
                              R"({"version": 1, "banks": {"1": {"rcdCurrent": 0.03}}})",
                              R"({"version": 1, "inspection": {"date": "2026-03-01",
                                  "nextDate": "2026-02-28"}})"}) {
        EXPECT_THROW(DetailsDocument::imported(wrong), std::runtime_error) << wrong;
    }
}

// Without details the file is the plain data file; with them it opens again into the same
// bytes, and a reader that knows only the data section still opens it.
TEST_F(InspectionFileTest, DetailsTravelInTheirOwnSectionAfterTheData) {
    const auto data = sampleData();
    ASSERT_TRUE(saveNativeFile(dir_.path("plain.tso"), *data));
    ASSERT_TRUE(saveInspectionFile(dir_.path("none.tso"), *data, DetailsDocument()));
    EXPECT_EQ(readFile(dir_.path("none.tso")), readFile(dir_.path("plain.tso")));

    ASSERT_TRUE(saveInspectionFile(dir_.path("first.tso"), *data, someDetails()));
    const std::string first = readFile(dir_.path("first.tso"));
    EXPECT_EQ(first.substr(8, 4), "data");
    EXPECT_EQ(first.substr(16, 4), "insp");
    InstrumentData reopened;
    DetailsDocument details;
    ASSERT_TRUE(openInspectionFile(dir_.path("first.tso"), reopened, details));
    EXPECT_EQ(details.toJson(), someDetails().toJson());
    ASSERT_TRUE(saveInspectionFile(dir_.path("second.tso"), reopened, details));
    EXPECT_EQ(readFile(dir_.path("second.tso")), first);

    InstrumentData dataOnly;
    ASSERT_TRUE(openNativeFile(dir_.path("first.tso"), dataOnly));
    ASSERT_TRUE(saveNativeFile(dir_.path("data-only.tso"), dataOnly));
    EXPECT_EQ(readFile(dir_.path("data-only.tso")), readFile(dir_.path("plain.tso")));
}

TEST_F(InspectionFileTest, UnreadableDetailsAreReportedAndTheDataStillOpen) {
    const auto data = sampleData();
    ASSERT_TRUE(saveInspectionFile(dir_.path("broken.tso"), *data, someDetails()));
    std::string bytes = readFile(dir_.path("broken.tso"));
    bytes[bytes.size() - 2] = '{';
    writeFile(dir_.path("broken.tso"), bytes);
    InstrumentData reopened;
    DetailsDocument details = someDetails();
    try {
        openInspectionFile(dir_.path("broken.tso"), reopened, details);
        FAIL() << "details that are no JSON were read";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()).rfind(dir_.path("broken.tso") + ": ", 0), 0u);
    }
    EXPECT_EQ(reopened.count(), data->count());
    EXPECT_TRUE(details.empty());
}

TEST_F(InspectionFileTest, CsvFollowsTheLanguageAndTheLocalesSeparators) {
    auto data = DataBuilder()
                    .bank(1)
                    .item(loopImpedance, 2.88, true)
                    .item(insulation, 1e8, true, true, std::string("500V, \"dry\""))
                    .item(conductorResistance, 0.2, true, false, "I>200mA")
                    .build();
    DetailsDocument details;
    details.set("bank.1.device", "B16");
    details.set("bank.1.earthing", "TN");
    details.set("bank.1.label", "Kuchyně; sporák");
    const struct {
        SeparatorCase locale;
        int language;
        const char* header;
        const char* loopRow;
        const char* conductorRow;
    } cases[] = {
        {pointLocale, englishLanguage,
         "Bank,Address,Symbol,Value,Unit,Shown value,Note,Primary,Over range,Limit,Verdict,"
         "Label,Rule,Missing detail,Remark",
         "1,1,Z_S,2.88,Ω,2.88 Ω,,1,0,≤ 2.87 Ω,fail,Kuchyně; sporák,loop-impedance,,",
         "1,3,R_PE,0.2,Ω,0.2 Ω,I>200mA,1,0,,missing detail,Kuchyně; sporák,"
         "protective-conductor,bank.peLimit,"},
        {commaLocale, czechLanguage,
         "Banka;Adresa;Značka;Hodnota;Jednotka;Zobrazená hodnota;Poznámka;Primární;"
         "Mimo rozsah;Mez;Výsledek;Označení;Pravidlo;Chybí údaj;Upozornění",
         "1;1;Z_S;2,88;Ω;2,88 Ω;;1;0;≤ 2,87 Ω;nevyhovuje;\"Kuchyně; sporák\";loop-impedance;;",
         "1;3;R_PE;0,2;Ω;0,2 Ω;I>200mA;1;0;;chybí údaj;\"Kuchyně; sporák\";"
         "protective-conductor;bank.peLimit;"},
    };
    for (const auto& c : cases) {
        LocaleGuard locale(c.locale.locale);
        ASSERT_TRUE(locale.ok()) << c.locale.locale;
        SetLanguage(c.language);
        const std::string csv = csvText(*data, details);
        const char separator = c.locale.separator == ',' ? ';' : ',';
        EXPECT_EQ(csv.rfind(std::string("\xEF\xBB\xBF") + c.header + "\r\n", 0), 0u) << csv;
        EXPECT_NE(csv.find(std::string("\r\n") + c.loopRow + "\r\n"), std::string::npos) << csv;
        EXPECT_NE(csv.find(std::string("\r\n") + c.conductorRow + "\r\n"), std::string::npos)
            << csv;
        EXPECT_NE(csv.find(std::string(1, separator) + "\"500V, \"\"dry\"\"\"" + separator),
                  std::string::npos)
            << csv;
        EXPECT_NE(csv.find(std::string("R_ISO") + separator + "1e+08" + separator),
                  std::string::npos)
            << csv;
    }
    SetLanguage(czechLanguage);
}

// A spreadsheet runs a cell that starts with = + - @, a tab or a carriage return as a
// formula: such texts are led by an apostrophe, numbers are left alone.
TEST_F(InspectionFileTest, CsvTextsNeverRunAsFormulas) {
    auto data = DataBuilder()
                    .bank(1)
                    .item(1, -0.5, true, false, "=HYPERLINK(\"http://x\")")
                    .item(1, 2, true, false, "+1")
                    .item(1, 3, true, false, "-")
                    .item(1, 4, true, false, "\tTab")
                    .build();
    DetailsDocument details;
    details.set("bank.1.label", "@SUM(A1)");
    LocaleGuard locale(pointLocale.locale);
    SetLanguage(englishLanguage);
    const std::string csv = csvText(*data, details);
    for (const char* cell : {",-0.5,", ",\"'=HYPERLINK(\"\"http://x\"\")\",", ",'+1,", ",'-,",
                             ", Tab,", ",'@SUM(A1),"}) {
        EXPECT_NE(csv.find(cell), std::string::npos) << cell << "\n" << csv;
    }
    for (const char* raw : {",=", ",+", ",@", ",\t"}) {
        EXPECT_EQ(csv.find(raw), std::string::npos) << raw << "\n" << csv;
    }
    SetLanguage(czechLanguage);
}

// The documents are written a piece at a time; the text is still what a dump of the whole
// document gives, empty banks and lists included.
std::string writtenJson(const std::function<void(std::ostream&)>& write) {
    std::ostringstream out;
    write(out);
    const std::string text = out.str();
    EXPECT_EQ(text, nlohmann::json::parse(text).dump(2) + "\n");
    return text;
}

TEST_F(InspectionFileTest, JsonHoldsEveryItemWithItsVerdict) {
    auto data = DataBuilder()
                    .bank(2)
                    .item(loopImpedance, 2.88, true)
                    .item(insulation, 0.4e6, true, false, "250V")
                    .emptyBank(3)
                    .build();
    DetailsDocument details;
    details.set("bank.2.label", "Kuchyně");
    const nlohmann::json evaluation = nlohmann::json::parse(writtenJson(
        [&](std::ostream& out) { writeEvaluationJson(out, evaluate(*data, details)); }));
    EXPECT_EQ(evaluation["profile"], "installation-2016");
    ASSERT_EQ(evaluation["items"].size(), 3u);
    const nlohmann::json& loop = evaluation["items"][1];
    EXPECT_EQ(loop["bank"], 2);
    EXPECT_EQ(loop["index"], 1);
    EXPECT_EQ(loop["address"], 1);
    EXPECT_EQ(loop["code"], loopImpedance);
    EXPECT_EQ(loop["symbol"], "Z_S");
    EXPECT_EQ(loop["unit"], "Ω");
    EXPECT_EQ(loop["value"], 2.88);
    EXPECT_EQ(loop["verdict"], "none");
    EXPECT_EQ(loop["missing"], "bank.earthing");
    EXPECT_TRUE(loop["bounds"].is_null());
    const nlohmann::json& insulationEntry = evaluation["items"][2];
    EXPECT_EQ(insulationEntry["verdict"], "fail");
    EXPECT_EQ(insulationEntry["limit"], "≥ 1 MΩ");
    EXPECT_EQ(insulationEntry["bounds"],
              nlohmann::json({{"low", 1e6}, {"high", nullptr}, {"unit", "Ω"}}));
    EXPECT_EQ(insulationEntry["remark"], "reduced-test-voltage");
    EXPECT_TRUE(evaluation["items"][0]["address"].is_null());
    std::set<std::string> keys;
    for (const auto& [key, value] : loop.items()) {
        keys.insert(key);
    }
    EXPECT_EQ(keys, (std::set<std::string>{"address", "bank", "bounds", "code", "index", "limit",
                                           "missing", "note", "over", "remark", "rule", "symbol",
                                           "unit", "value", "verdict"}));
    // The bank's number row is listed, not counted.
    const nlohmann::json summary = {{"pass", 0},
                                    {"fail", 1},
                                    {"missing", 1},
                                    {"none", 0},
                                    {"missingDetails", {"bank.earthing"}},
                                    {"overall", "fail"}};
    EXPECT_EQ(evaluation["summary"], summary);
    EXPECT_EQ(evaluation["overall"], "fail");
    EXPECT_EQ(evaluation["banks"][0],
              nlohmann::json({{"number", 2}, {"label", "Kuchyně"}, {"summary", summary}}));
    EXPECT_EQ(evaluation["banks"][1]["summary"]["overall"], "none");
    EXPECT_TRUE(evaluation["banks"][1]["label"].is_null());

    const nlohmann::json container = nlohmann::json::parse(
        writtenJson([&](std::ostream& out) { writeContainerJson(out, *data, details); }));
    EXPECT_EQ(container["banks"][1]["items"], nlohmann::json::array());
    EXPECT_EQ(nlohmann::json::parse(writtenJson(
                  [](std::ostream& out) { writeEvaluationJson(out, Evaluation{}); }))["overall"],
              "none");
    EXPECT_EQ(container["details"]["banks"]["2"]["label"], "Kuchyně");
    EXPECT_EQ(container["banks"][0]["items"][1]["symbol"], "Z_S");
    EXPECT_EQ(container["banks"][0]["summary"], summary);
    EXPECT_EQ(container["summary"]["overall"], "fail");
}

// What each instrument writes, decoded as a download decodes it, is judged once the banks say
// what protects them: every RCD, insulation and appliance reading gets a verdict, so no note
// a decoder writes goes unread.
TEST(SampleVerdictTest, EveryModelsReadingsAreJudgedWithTheBanksDetails) {
    std::vector<std::unique_ptr<InstrumentData>> samples;
    for (int model = 1; model <= 5; ++model) {
        const auto translator = createTranslator(model);
        const std::vector<std::uint8_t> image = samples::sampleImage(model);
        translator->copyIn(image.data(), 0, imageSize);
        samples.push_back(std::make_unique<InstrumentData>());
        translator->decodeData(*samples.back());
    }
    samples.push_back(std::make_unique<InstrumentData>());
    decodeLegacyFrame(samples::sampleLegacyFrame().data(), *samples.back());

    const std::set<int> installationCodes = {4, 5, 6, 11, 15, 25};
    const std::set<int> applianceCodes = {15, 18, 19, 20, 21};
    for (const auto& data : samples) {
        DetailsDocument details;
        for (int b = 0; b < data->count(); ++b) {
            const std::string bank = "bank." + std::to_string(data->bank(b)->number()) + ".";
            for (const char* detail :
                 {"rcdCurrent=30", "rcdType=A", "rcdSelective=no", "applianceClass=I"}) {
                const std::string assignment = detail;
                const std::size_t equals = assignment.find('=');
                details.set(bank + assignment.substr(0, equals), assignment.substr(equals + 1));
            }
        }
        const Evaluation evaluation = evaluate(*data, details);
        const std::set<int>& judgedCodes =
            evaluation.profile == applianceProfile ? applianceCodes : installationCodes;
        for (const ItemEvaluation& judged : evaluation.items) {
            const InstrumentItem& item = *judged.item;
            const bool lowTestVoltage = item.noteOrEmpty() == "50V" || item.noteOrEmpty() == "100V";
            if (judgedCodes.count(item.symbol()) != 0 && !lowTestVoltage) {
                EXPECT_NE(judged.verdict.kind, VerdictKind::none)
                    << evaluation.profile << " code " << item.symbol() << " note '"
                    << item.noteOrEmpty() << "' missing " << judged.verdict.missing;
            }
        }
    }
}

}  // namespace
}  // namespace kadenza::test
