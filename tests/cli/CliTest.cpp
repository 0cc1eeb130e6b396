#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "CliFixture.h"
#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "inspection/JsonExport.h"
#include "language/Language.h"
#include "model/HtmlExport.h"
#include "model/NativeFile.h"
#include "model/PlainTextExport.h"
#include "model/XmlExport.h"
#include "support/LocaleGuard.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

// The first `count` lines of the text, each with its line break.
std::string firstLines(const std::string& text, int count) {
    std::size_t end = 0;
    for (int line = 0; line < count; ++line) {
        end = text.find('\n', end) + 1;
    }
    return text.substr(0, end);
}

TEST_F(CliTest, ConvertWritesEveryFormatAsTheCoreDoes) {
    // A note that was absent comes back from the file as an empty one, which the XML shows,
    // so the core writes the container as the tool reads it.
    InstrumentData data;
    ASSERT_TRUE(openNativeFile(input_, data));
    ASSERT_TRUE(exportXml(path("core.xml"), data));
    ASSERT_TRUE(SaveHtml(path("core.html"), data));
    ASSERT_TRUE(SavePlainText(path("core.txt"), data));

    const Outcome outcome = run({"convert", input_, path("out.tso"), path("out.XML"),
                                 path("out.html"), path("out.Htm"), path("out.txt")});

    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(readFile(path("out.tso")), readFile(input_));
    EXPECT_EQ(readFile(path("out.XML")), readFile(path("core.xml")));
    EXPECT_EQ(readFile(path("out.html")), readFile(path("core.html")));
    EXPECT_EQ(readFile(path("out.Htm")), readFile(path("core.html")));
    EXPECT_EQ(readFile(path("out.txt")), readFile(path("core.txt")));
}

TEST_F(CliTest, ConvertChecksEveryExtensionBeforeWritingAnything) {
    expectFailure(run({"convert", input_, path("a.xml"), path("b.doc"), path("c.txt")}), 1,
                  "unknown output format of " + path("b.doc") +
                      " (expected .tso, .xml, .html, .htm, .txt, .csv or .json, or --format)");
    EXPECT_FALSE(exists("a.xml"));
    EXPECT_EQ(run({"convert", input_, path("tso")}).exitCode, 1);
}

TEST_F(CliTest, UnreadableInputsExitWithTwo) {
    writeFile(path("notes.tso"), "shopping list\n");
    expectFailure(run({"convert", path("missing.tso"), path("a.xml")}), 2,
                  "Cannot open file " + path("missing.tso"));
    expectFailure(run({"convert", path("notes.tso"), path("a.xml")}), 2,
                  path("notes.tso") + " is not a Kadenza data file");
    expectFailure(run({"show", path("missing.tso")}), 2, "Cannot open file " + path("missing.tso"));
    EXPECT_FALSE(exists("a.xml"));
}

TEST_F(CliTest, ConvertStopsAtTheFirstOutputThatFails) {
    expectFailure(run({"convert", input_, path("a.xml"), path("gone/b.tso"), path("c.txt")}), 2,
                  "Cannot create file " + path("gone/b.tso"));
    EXPECT_TRUE(exists("a.xml"));
    EXPECT_FALSE(exists("c.txt"));
    expectFailure(run({"convert", input_, path("gone/d.html")}), 2,
                  "Cannot create file " + path("gone/d.html"));
}

// "-" is standard output, in the format --format names; anything that is not a regular file
// is written straight into, and a link is followed to the file it names.
TEST_F(CliTest, OutputsGoWhereTheirPathsPoint) {
    const Outcome xml = run({"convert", input_, "-", "--format", "xml"});
    EXPECT_EQ(xml.exitCode, 0) << xml.err;
    ASSERT_EQ(run({"convert", input_, path("file.xml")}).exitCode, 0);
    EXPECT_EQ(xml.out, readFile(path("file.xml")));
    EXPECT_EQ(run({"convert", input_, "-", "--format", "tso"}).out, readFile(input_));
    EXPECT_EQ(run({"sample", "--model", "3", "-"}).out.size(), 8192u);
    EXPECT_EQ(run({"convert", input_, "-"}).exitCode, 1);
    expectFailure(run({"convert", input_, "-", "--format", "doc"}), 1,
                  "invalid format 'doc': expected tso, xml, html, txt, csv or json");

    std::filesystem::create_symlink("file.xml", path("link.xml"));
    ASSERT_EQ(run({"convert", input_, path("link.xml"), "--format", "txt"}).exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_symlink(path("link.xml")));
    expectFailure(run({"convert", input_, "/dev/full", "--format", "txt"}), 2,
                  "Cannot write file /dev/full");

    // What a command prints must reach standard output, or the command fails.
    ASSERT_EQ(run({"sample", "--model", "3", path("image.bin")}).exitCode, 0);
    const std::string printingCommands[] = {
        "--help", "setup show --model 3 --image '" + path("image.bin") + "'"};
    for (const std::string& printing : printingCommands) {
        const std::string command = "'" + tool_ + "' " + printing + " >/dev/full 2>/dev/null";
        EXPECT_EQ(WEXITSTATUS(std::system(command.c_str())), 2) << printing;
    }
}

// A data file cut short is read with a warning of how much it lacks; one beyond the bound is
// refused.
TEST_F(CliTest, DataFilesCutShortWarnAndOversizedOnesAreRefused) {
    const std::string whole = readFile(input_);
    writeFile(path("cut.tso"), whole.substr(0, whole.size() - 6));
    const Outcome cut = run({"show", path("cut.tso")}, "cs_CZ.UTF-8");
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_NE(cut.out, "");
    EXPECT_EQ(cut.err,
              "kadenza-cli: " + path("cut.tso") +
                  ": Soubor je zkrácený: chybějící bajty (čtou se jako nuly): nejméně 6.\n");

    // Cut inside the details: the data are read without them and the lack is told.
    ASSERT_EQ(run({"details", input_, "--set", "inspection.client=ABCDEFGHIJ"}).exitCode, 0);
    const std::string withDetails = readFile(input_);
    writeFile(path("cut-details.tso"), withDetails.substr(0, withDetails.size() - 5));
    const Outcome cutDetails = run({"convert", path("cut-details.tso"), path("out.xml")});
    EXPECT_EQ(cutDetails.exitCode, 0);
    EXPECT_EQ(cutDetails.err, "kadenza-cli: " + path("cut-details.tso") +
                                  ": The file is cut short: bytes missing (read as zero): at "
                                  "least 5.\n");

    writeFile(path("large.tso"), whole);
    writeFile(path("large.tso"), whole);
    std::filesystem::resize_file(path("large.tso"), 4 * 1024 * 1024 + 1);
    expectFailure(run({"show", path("large.tso")}), 2,
                  path("large.tso") + " is too large for a data file: it holds more than 4 MiB");
}

// Whole details that are damaged hide no data: every command that reads the data goes on
// without them and says so; `details` cannot show them, and --set or --import replace them.
TEST_F(CliTest, DamagedDetailsLeaveTheDataReadableAndCanBeReplaced) {
    ASSERT_EQ(run({"details", input_, "--set", "inspection.client=ABCDEFGHIJ"}).exitCode, 0);
    const std::string withDetails = readFile(input_);
    const std::string damaged = path("damaged.tso");
    writeFile(damaged, withDetails.substr(0, withDetails.size() - 1) + "x");
    const std::string problem =
        "kadenza-cli: " + damaged + ": the details are not valid JSON at byte ";
    for (const std::vector<std::string>& command : {std::vector<std::string>{"show", damaged},
                                                    {"convert", damaged, path("out.html")},
                                                    {"evaluate", damaged},
                                                    {"report", damaged, path("out.pdf")}}) {
        const Outcome outcome = run(command);
        EXPECT_NE(outcome.exitCode, 2) << command[0] << outcome.err;
        EXPECT_EQ(outcome.err.rfind(problem, 0), 0u) << outcome.err;
        EXPECT_NE(outcome.err.find("; they are left out\n"), std::string::npos) << outcome.err;
    }
    EXPECT_FALSE(readFile(path("out.html")).empty());
    const Outcome shown = run({"details", damaged});
    EXPECT_EQ(shown.exitCode, 2);
    EXPECT_EQ(shown.err.rfind(problem, 0), 0u) << shown.err;
    EXPECT_EQ(readFile(damaged), withDetails.substr(0, withDetails.size() - 1) + "x");

    const Outcome repaired = run({"details", damaged, "--set", "inspection.site=Brno"});
    EXPECT_EQ(repaired.exitCode, 0);
    EXPECT_NE(repaired.err.find(") are replaced\n"), std::string::npos) << repaired.err;
    EXPECT_EQ(run({"details", damaged}).out,
              "{\n  \"inspection\": {\n    \"site\": \"Brno\"\n  },\n  \"version\": 1\n}\n");
}

class ShowTest : public CliTest {
  protected:
    void SetUp() override {
        CliTest::SetUp();
        const auto data = DataBuilder()
                              .bank(1)
                              .item(1, 230.4, true)
                              .item(8, 50)
                              .item(3, 0.05, true, false, "hall")
                              .numbered(7)
                              .item(15, 2e9, false, true)
                              .item(15, 25e6, true, false, "2\033\003nd\033\001 test")
                              .item(16, 21.5, true, false, "a\tb\nc")
                              .item(29, 1, true, false, "cut\rhidden")
                              .item(29, 2, true, false, "x\033\002y")
                              .build();
        ASSERT_TRUE(saveNativeFile(input_, *data));
    }
};

TEST_F(ShowTest, NumbersThePrimaryItemsOfEachBankFromOne) {
    const Outcome outcome = run({"show", input_});
    EXPECT_EQ(outcome.exitCode, 0);
    EXPECT_EQ(outcome.out,
              "Bank 1\n"
              "  Bank=1\n"
              "  U_{LN}=230.4 V  [1]\n"
              "  f=50 Hz\n"
              "  Z_{S}=50 mΩ hall [2]\n"
              "No. 7\n"
              "  No.=7\n"
              "  R_{ISO}>2 GΩ\n"
              "  R_{ISO}=25 MΩ 2^{nd} test [1]\n"
              "  t=21.5°C a\tb c [2]\n"
              "  U=1 V cut\n"
              "  U=2 V x_{y [4]}\n");
}

TEST_F(ShowTest, PassesTheMaskToEveryRow) {
    EXPECT_EQ(firstLines(run({"show", input_, "--mask", "3"}).out, 5),
              "Bank 1\n  Bank=1\n  U_{LN}=230.4 V [1]\n  f=50 Hz\n  Z_{S}=50 mΩ [2]\n");
    EXPECT_EQ(firstLines(run({"show", "--mask", "0", input_}).out, 5),
              "1\n  1\n  230.4  [1]\n  50\n  50 m [2]\n");
    EXPECT_EQ(firstLines(run({"show", input_, "--mask", "9"}).out, 5),
              "Bank 1\n  1000\n  2.304E+5 [1]\n  5E+4\n  50 [2]\n");
}

TEST_F(ShowTest, RawPrintsTheRowBytesUnchanged) {
    const std::string out = run({"show", input_, "--raw"}).out;
    EXPECT_NE(out.find("Bank 1 \n  Bank=1  \n  U\033\002LN\033\001=230.4 V  [1]\n"),
              std::string::npos);
    EXPECT_NE(out.find("  U=1 V cut\rhidden [3]\n"), std::string::npos);
}

TEST_F(ShowTest, UsesTheDecimalSeparatorOfTheLocale) {
    ASSERT_TRUE(LocaleGuard("cs_CZ.UTF-8").ok()) << "the cs_CZ.UTF-8 locale is not installed";
    EXPECT_NE(run({"show", input_}, "cs_CZ.UTF-8").out.find("U_{LN}=230,4 V"), std::string::npos);
    EXPECT_NE(run({"show", input_}, "C").out.find("U_{LN}=230.4 V"), std::string::npos);
}

TEST_F(CliTest, WrongArgumentsExitWithOneAndHelpWithZero) {
    expectFailure(run({"show", input_, "--mask", "99"}), 1,
                  "invalid mask '99': expected a number from 0 to 13");
    expectFailure(run({"show", input_, "--mask"}), 1, "option --mask needs a value");
    expectFailure(run({"show", input_, "--wide"}), 1, "unknown option '--wide'");
    expectFailure(run({"show", input_, input_}), 1, "unexpected argument '" + input_ + "'");
    expectFailure(run({"convert", input_}), 1, "missing output file");
    expectFailure(run({}), 1, "no command given (see kadenza-cli --help)");
    expectFailure(run({"print", input_}), 1, "unknown command 'print' (see kadenza-cli --help)");
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"--help"}, {"-h"}, {"convert", "--help"}, {"show", input_, "-h"}}) {
        const Outcome outcome = run(args);
        EXPECT_EQ(outcome.exitCode, 0);
        EXPECT_EQ(outcome.out.rfind("Usage: kadenza-cli", 0), 0u);
        EXPECT_EQ(outcome.err, "");
    }
    EXPECT_EQ(run({"--version"}).out, "kadenza-cli " + std::string(programVersion()) + "\n");
    expectFailure(run({"show", input_, "--raw=yes"}), 1, "option --raw takes no value");
    expectFailure(run({"show", input_, "--wide=1"}), 1, "unknown option '--wide'");
}

// Details are set in place, refused when wrong without touching the file, exported and
// imported, and travel with the data through convert.
TEST_F(CliTest, DetailsAreSetInPlaceAndKeptByConvert) {
    EXPECT_EQ(run({"details", input_}).out, "null\n");
    const std::string plain = readFile(input_);
    expectFailure(run({"details", input_, "--set", "bank.1.device=X16"}), 1,
                  "bank.1.device: 'X16' is not B, C or D and the rated current, such as B16");
    expectFailure(run({"details", input_, "--set", "inspection.colour=red"}), 1,
                  "unknown detail 'inspection.colour' (inspection.KEY, bank.NUMBER.KEY, "
                  "instrument.NUMBER.KEY, check.NAME or defect.NUMBER.KEY)");
    EXPECT_EQ(readFile(input_), plain);

    const Outcome set = run({"details", input_, "--set=inspection.client=Nováková", "--set",
                             "bank.1.device=c10", "--export", path("d.json")});
    EXPECT_EQ(set.exitCode, 0) << set.err;
    EXPECT_EQ(set.out, "");
    const DetailsDocument exported = DetailsDocument::fromJson(readFile(path("d.json")));
    EXPECT_EQ(exported.inspection().client, "Nováková");
    EXPECT_EQ(exported.bank(1).device, "C10");
    EXPECT_EQ(run({"details", input_}).out, readFile(path("d.json")));
    EXPECT_EQ(readFile(input_).substr(64, plain.size() - 64), plain.substr(64));

    ASSERT_EQ(
        run({"convert", input_, path("copy.tso"), path("out.csv"), path("out.json")}).exitCode, 0);
    EXPECT_EQ(readFile(path("copy.tso")), readFile(input_));
    InstrumentData data;
    DetailsDocument details;
    ASSERT_TRUE(openInspectionFile(path("copy.tso"), data, details));
    SetLanguage(englishLanguage);
    EXPECT_EQ(readFile(path("out.csv")), csvText(data, details));
    SetLanguage(czechLanguage);
    std::ostringstream json;
    writeContainerJson(json, data, details);
    EXPECT_EQ(readFile(path("out.json")), json.str());

    writeFile(path("other.json"), R"({"version": 1, "inspection": {"site": "Brno"}})");
    ASSERT_EQ(run({"details", input_, "--import", path("other.json")}).exitCode, 0);
    EXPECT_EQ(DetailsDocument::fromJson(run({"details", input_}).out).inspection().site, "Brno");
    const Outcome notJson = run({"details", input_, "--import", path("out.csv")});
    EXPECT_EQ(notJson.exitCode, 2);
    EXPECT_EQ(notJson.err.rfind(
                  "kadenza-cli: " + path("out.csv") + ": the details are not valid JSON", 0),
              0u);
}

// Details that cannot be true are refused, the file left byte for byte: a day the calendar
// lacks, a next date before the date (whatever order they are set in), amperes typed as
// milliamperes, a bank the file does not hold unless --force; and with the last detail gone
// the file is the plain data file again.
TEST_F(CliTest, DetailsThatCannotBeTrueAreRefused) {
    const std::string plain = readFile(input_);
    const std::string banks = "bank 9: the file holds banks 1, 2, 17";
    const struct {
        std::vector<std::string> args;
        int exitCode;
        std::string message;
    } refused[] = {
        {{"--set", "inspection.date=2026-02-30"},
         1,
         "inspection.date: '2026-02-30' is not a date, YYYY-MM-DD or D. M. YYYY"},
        {{"--set", "inspection.date=2026-03-01", "--set", "inspection.nextDate=2026-02-28"},
         1,
         "inspection.nextDate: 2026-02-28 comes before the inspection's date 2026-03-01"},
        {{"--set", "bank.1.rcdCurrent=0.03"},
         1,
         "bank.1.rcdCurrent: '0.03' is not a rated residual current in mA: 6, 10, 30, 100, 300, "
         "500 or 1000 (0.03 A is 30 mA)"},
        {{"--set", "bank.1.nominalVoltage=1.2e2"},
         1,
         "bank.1.nominalVoltage: '1.2e2' is not volts, SELV or PELV"},
        {{"--set", "bank.9.label=Garage"},
         1,
         banks + " (--force keeps details for a bank still to come)"},
    };
    for (const auto& c : refused) {
        std::vector<std::string> args{"details", input_};
        args.insert(args.end(), c.args.begin(), c.args.end());
        expectFailure(run(args), c.exitCode, c.message);
        EXPECT_EQ(readFile(input_), plain);
    }
    writeFile(path("future.json"), R"({"version": 1, "banks": {"9": {"label": "Garage"}}})");
    expectFailure(run({"details", input_, "--import", path("future.json")}), 1,
                  banks + " (--force keeps details for a bank still to come)");
    EXPECT_EQ(readFile(input_), plain);

    ASSERT_EQ(run({"details", input_, "--force", "--import", path("future.json")}).exitCode, 0);
    ASSERT_EQ(run({"details", input_, "--set", "inspection.date=1. 3. 2026", "--set",
                   "inspection.nextDate=1.3.2031", "--set", "bank.1.nominalVoltage=120,5"})
                  .exitCode,
              0);
    const DetailsDocument stored = DetailsDocument::fromJson(run({"details", input_}).out);
    EXPECT_EQ(stored.bank(1).nominalVoltage, "120.5");
    EXPECT_EQ(stored.inspection().date, "2026-03-01");
    EXPECT_EQ(stored.inspection().nextDate, "2031-03-01");
    ASSERT_EQ(run({"details", input_, "--set", "bank.9.label=", "--set", "inspection.date=",
                   "--set", "inspection.nextDate=", "--set", "bank.1.nominalVoltage="})
                  .exitCode,
              0);
    EXPECT_EQ(run({"details", input_}).out, "null\n");
    EXPECT_EQ(readFile(input_), plain);
}

// A refusal exits alike whether the details come through --set or --import, and leaves the file
// as it was; a next date later than the period tables allow is kept only with --force.
TEST_F(CliTest, TheSameRefusalExitsAlikeThroughSetAndImport) {
    const std::string plain = readFile(input_);
    const struct {
        std::vector<std::pair<std::string, std::string>> details;
        std::string message;
        bool forced;
    } refused[] = {
        {{{"date", "2026-02-30"}},
         "inspection.date: '2026-02-30' is not a date, YYYY-MM-DD or D. M. YYYY",
         false},
        {{{"date", "2026-03-01"}, {"nextDate", "2026-02-28"}},
         "inspection.nextDate: 2026-02-28 comes before the inspection's date 2026-03-01",
         false},
        {{{"kind", "periodic"}, {"conclusion", "safe"}},
         "inspection.conclusion: 'safe' is refused while defect 1 is potentially dangerous (class "
         "potential)",
         false},
        {{{"date", "2026-12-01"}, {"environment", "wet"}, {"nextDate", "2036-12-01"}},
         "inspection.nextDate: 2036-12-01 is later than 2027-12-01, which the period tables set "
         "(inspection.environment wet: every 12 months); --force keeps it",
         true},
    };
    for (const auto& c : refused) {
        std::vector<std::string> set{"details", input_, "--set", "defect.1.class=potential"};
        std::string json = R"({"version": 1, "defects": {"1": {"class": "potential"}},)"
                           R"( "inspection": {)";
        for (const auto& [name, value] : c.details) {
            set.insert(set.end(), {"--set", "inspection." + name + "=" + value});
            json += (json.back() == '{' ? "\"" : ", \"") + name + "\": \"" + value + "\"";
        }
        writeFile(path("refused.json"), json + "}}");
        const std::vector<std::string> imported{"details", input_, "--import",
                                                path("refused.json")};
        for (const std::vector<std::string>& args : {set, imported}) {
            const Outcome outcome = run(args);
            EXPECT_EQ(outcome.exitCode, 1) << outcome.err;
            EXPECT_NE(outcome.err.find(c.message + "\n"), std::string::npos) << outcome.err;
            EXPECT_EQ(readFile(input_), plain);
            std::vector<std::string> forced = args;
            forced.push_back("--force");
            EXPECT_EQ(run(forced).exitCode, c.forced ? 0 : 1);
            ASSERT_TRUE(saveNativeFile(input_, *sampleData()));
        }
    }
    writeFile(path("broken.json"), "{\"version\": 1, ");
    EXPECT_EQ(run({"details", input_, "--import", path("broken.json")}).exitCode, 2);
}

// A next date kept with --force is not refused again by later changes; details of blanks are
// none, and the report names them in its language with their keys.
TEST_F(CliTest, ForcedNextDateAndBlankDetailsInTheReport) {
    ASSERT_EQ(run({"details", input_, "--force", "--set", "inspection.date=2026-12-01", "--set",
                   "inspection.environment=wet", "--set", "inspection.nextDate=2036-12-01"})
                  .exitCode,
              0);
    ASSERT_EQ(run({"details", input_, "--set", "inspection.operator=   ", "--set",
                   "inspection.licence= ", "--set", "inspection.client=Nováková"})
                  .exitCode,
              0);
    const std::string details = run({"details", input_}).out;
    EXPECT_EQ(details.find("operator"), std::string::npos) << details;
    EXPECT_EQ(details.find("licence"), std::string::npos) << details;

    const Outcome written = run({"report", input_, path("out.pdf"), "--lang", "cs"});
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(written.err.rfind("kadenza-cli: the report is a draft; it lacks provozovatel "
                                "(inspection.operator), ",
                                0),
              0u)
        << written.err;
    EXPECT_NE(written.err.find("číslo osvědčení (inspection.licence)"), std::string::npos);
}

// The exit code tells the overall result, in every format: 0 pass, 6 fail, 7 incomplete.
TEST_F(CliTest, EvaluateExitsWithTheOverallResult) {
    constexpr int loopImpedance = 3;
    constexpr int insulation = 15;
    const struct {
        double loop;
        const char* earthing;
        int exitCode;
        const char* line;
        const char* overall;
    } cases[] = {
        {2.87, "TN", 0, "pass  ≤ 2.87 Ω  loop-impedance", "Overall verdict: pass"},
        {2.88, "TN", 6, "fail  ≤ 2.87 Ω  loop-impedance", "Overall verdict: fail"},
        {2.87, "", 7, "-  missing bank.earthing",
         "Overall verdict: incomplete (missing bank.earthing)"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(saveNativeFile(input_, *DataBuilder()
                                                .bank(1)
                                                .item(loopImpedance, c.loop, true)
                                                .item(insulation, 2e6, true, false, "500V")
                                                .build()));
        ASSERT_EQ(run({"details", input_, "--set", "bank.1.device=B16", "--set",
                       std::string("bank.1.earthing=") + c.earthing})
                      .exitCode,
                  0);
        const Outcome table = run({"evaluate", input_, "--lang=en"});
        EXPECT_EQ(table.exitCode, c.exitCode) << table.err;
        EXPECT_NE(table.out.find(c.line), std::string::npos) << table.out;
        EXPECT_NE(table.out.find(c.overall), std::string::npos) << table.out;
        EXPECT_EQ(run({"evaluate", input_, "--format", "csv"}).exitCode, c.exitCode);
        const Outcome json = run({"evaluate", input_, "--format", "json"});
        EXPECT_EQ(json.exitCode, c.exitCode);
        EXPECT_NE(json.out.find(R"("profile": "installation-2016")"), std::string::npos);
    }
    // The 2001 table asks less of a 230 V circuit: the same file passes under it.
    ASSERT_TRUE(saveNativeFile(
        input_, *DataBuilder().bank(1).item(insulation, 0.7e6, true, false, "500V").build()));
    EXPECT_EQ(run({"evaluate", input_}).exitCode, 6);
    const Outcome older = run({"evaluate", input_, "--profile", "installation-2001", "--lang=en"});
    EXPECT_EQ(older.exitCode, 0);
    EXPECT_NE(older.out.find("pass  ≥ 0.5 MΩ  insulation-2001"), std::string::npos) << older.out;
    expectFailure(run({"evaluate", input_, "--profile", "house"}), 1,
                  "invalid profile 'house': expected installation-2016, installation-2006, "
                  "installation-2001 or appliance");
    expectFailure(run({"evaluate", input_, "--format", "pdf"}), 1,
                  "invalid format 'pdf': expected table, csv or json");
}

// The report needs no display: the tool draws it offscreen, whatever platform Qt is told.
TEST_F(CliTest, ReportIsWrittenWithoutADisplay) {
    ASSERT_EQ(run({"details", input_, "--set", "inspection.client=Nováková & syn"}).exitCode, 0);
    const Outcome written = run({"report", input_, path("out.pdf"), "--lang", "en"}, "C",
                                "env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb");
    EXPECT_EQ(written.exitCode, 0) << written.err;
    EXPECT_EQ(
        written.err.rfind(
            "kadenza-cli: the report is a draft; it lacks operator (inspection.operator), ", 0),
        0u)
        << written.err;
    EXPECT_EQ(written.err.find('\n'), written.err.size() - 1) << written.err;
    ASSERT_EQ(
        std::system(("pdftotext '" + path("out.pdf") + "' '" + path("out.txt") + "'").c_str()), 0);
    const std::string text = readFile(path("out.txt"));
    EXPECT_NE(text.find("Nováková & syn"), std::string::npos) << text;
    EXPECT_NE(text.find("Electrical installation inspection report"), std::string::npos);

    EXPECT_EQ(run({"report", input_, "-"}).out.rfind("%PDF-", 0), 0u);
    expectFailure(run({"report", input_}), 1, "missing output file");
    expectFailure(run({"report", input_, path("out.pdf"), "--lang", "de"}), 1,
                  "invalid language 'de': expected cs or en");
    expectFailure(run({"report", path("missing.tso"), path("x.pdf")}), 2,
                  "Cannot open file " + path("missing.tso"));
    expectFailure(run({"report", input_, path("gone/x.pdf")}), 2,
                  "Cannot create file " + path("gone/x.pdf"));
}

}  // namespace
}  // namespace kadenza::test
