#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "model/HtmlExport.h"
#include "model/PlainTextExport.h"
#include "model/XmlExport.h"
#include "model/XmlWriter.h"
#include "support/LocaleGuard.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza {
namespace {

using test::DataBuilder;

std::string xmlOf(const InstrumentData& data) {
    std::ostringstream out;
    data.writeXml(out);
    return out.str();
}

std::string xmlValue(double value) {
    std::ostringstream out;
    xmlReal(out, "Value", value);
    return out.str();
}

std::string xmlNote(const std::string& note) {
    std::ostringstream out;
    xmlEscape(out, note);
    return out.str();
}

const std::string htmlHeader =
    "<HTML>\r\n<HEAD>\r\n"
    "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=utf-8\">\n"
    "<TITLE>List</TITLE>\r\n</HEAD>\r\n<BODY>\r\n";

TEST(XmlExport, OneBankOneItemLaysOutLineByLine) {
    auto data = DataBuilder().emptyBank(1).item(1, 230.5, true).build();
    EXPECT_EQ(xmlOf(*data),
              "<Data><Count>1</Count>\n"
              "<Bank><Count>1</Count>\n"
              "<Number>1</Number>\n"
              "<Item><Value>230.5</Value>\n"
              "<Symbol>1</Symbol>\n"
              "<Primary/>\n"
              "</Item>\n"
              "</Bank>\n"
              "</Data>\n");
    EXPECT_EQ(xmlOf(InstrumentData()), "<Data><Count>0</Count>\n</Data>\n");
}

TEST(XmlExport, NumberedBanksNotesAndFlags) {
    auto data = DataBuilder().numbered(-4).build();
    data->bank(0)->add(std::make_unique<InstrumentItem>(2e9, 15, "", false, true));
    EXPECT_EQ(xmlOf(*data),
              "<Data><Count>1</Count>\n<No><Count>2</Count>\n<Number>-4</Number>\n"
              "<Item><Value>-4</Value>\n<Symbol>30</Symbol>\n</Item>\n"
              "<Item><Value>2E9</Value>\n<Symbol>15</Symbol>\n<Note></Note>\n<Over/>\n</Item>\n"
              "</No>\n</Data>\n");
}

TEST(XmlExport, ValuesUseFiveDigitsAndTheLocaleSeparator) {
    EXPECT_EQ(xmlValue(230.5), "<Value>230.5</Value>\n");
    EXPECT_EQ(xmlValue(123456), "<Value>1.2346E5</Value>\n");
    EXPECT_EQ(xmlValue(0.0001), "<Value>0.0001</Value>\n");
    EXPECT_EQ(xmlValue(0.00001), "<Value>1E-5</Value>\n");
    EXPECT_EQ(xmlValue(-0.05), "<Value>-0.05</Value>\n");
    test::LocaleGuard czech(test::commaLocale.locale);
    ASSERT_TRUE(czech.ok());
    EXPECT_EQ(xmlValue(230.5), "<Value>230,5</Value>\n");
}

TEST(XmlExport, NotesEscapeMarkupLineFeedsAndStyleCodes) {
    EXPECT_EQ(xmlNote("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&apos;");
    EXPECT_EQ(xmlNote("one\ntwo\r\tΩ"), "one<br/>\ntwo\r\tΩ");
    EXPECT_EQ(xmlNote("R\033\002ISO\033\001"), "R<Style>2</Style>\nISO<Style>1</Style>\n");
    EXPECT_EQ(xmlNote("x\033\xFFy"), "x<Style>-1</Style>\ny");
    EXPECT_EQ(xmlNote("end\033"), "end<Style>0</Style>\n");
}

// A note from a hand-made file can hold bytes XML 1.0 forbids: they come out as U+FFFD and
// the document stays well-formed, for xmllint too.
TEST(XmlExport, ForbiddenCharactersNeverReachTheDocumentRaw) {
    const std::string replacement = "\xEF\xBF\xBD";
    EXPECT_EQ(xmlNote("a\x01\x08\x0B\x0C\x1F"
                      "b"),
              "a" + replacement + replacement + replacement + replacement + replacement + "b");
    EXPECT_EQ(xmlNote("caf\xE9!"), "caf" + replacement + "!");
    EXPECT_EQ(xmlNote("\xC0\xAF\xED\xA0\x80\xEF\xBF\xBE\xF4\x90\x80\x80"),
              replacement + replacement + replacement + replacement + replacement + replacement +
                  replacement + replacement + replacement + replacement + replacement +
                  replacement);
    EXPECT_EQ(xmlNote("\xE2\x82"), replacement + replacement);
    EXPECT_EQ(xmlNote("Ω \xE2\x82\xAC \xF0\x9F\x98\x80 \xC2\x85"),
              "Ω \xE2\x82\xAC \xF0\x9F\x98\x80 \xC2\x85");

    auto data =
        DataBuilder().emptyBank(1).item(1, 230, true, false, "x\x02y\xFFz\x1B\x02w").build();
    test::TempDir dir;
    const std::string path = dir.path("notes.xml");
    ASSERT_TRUE(exportXml(path, *data));
    EXPECT_EQ(std::system(("xmllint --noout '" + path + "'").c_str()), 0);
}

TEST(HtmlExport, EmptyContainerIsHeaderAndBodyEnd) {
    EXPECT_EQ(htmlText(InstrumentData()), htmlHeader + "</BODY>");
    EXPECT_EQ(plainText(InstrumentData()), "");
}

TEST(HtmlExport, BanksItemsAndTheirEmphasis) {
    auto data = DataBuilder()
                    .emptyBank(2)
                    .item(1, 230, true)
                    .item(15, 2e9, false, true)
                    .item(15, 3e9, true, true, "a<b>&c")
                    .emptyBank(3)
                    .build();
    const std::string black = "<FONT COLOR=\"#000000\">";
    const std::string red = "<FONT COLOR=\"#ff0000\"><I>";
    EXPECT_EQ(htmlText(*data), htmlHeader + "<i><b>" + black + "Bank 2</b></i><br>\r\n<br>\r\n" +
                                   "<b>" + black + "U<SUB>LN</SUB>=230 V </b><br>\r\n" + red +
                                   "R<SUB>ISO</SUB>&gt;2 GΩ </I></FONT><br>\r\n" + "<b>" + red +
                                   "R<SUB>ISO</SUB>&gt;3 GΩ a&lt;b&gt;&c</I></FONT></b><br>\r\n" +
                                   "<HR align=left>\r\n" + "<i><b>" + black +
                                   "Bank 3</b></i><br>\r\n<br>\r\n<HR align=left>\r\n</BODY>");
}

TEST(HtmlExport, StyleLeftOpenAtTheEndStaysOpen) {
    std::ostringstream out;
    WriteHtmlNode(InstrumentItem(1500, 17, "x\033\003sup", false, false), out);
    EXPECT_EQ(out.str(), "<FONT COLOR=\"#000000\">n=1500min.<SUP>-1</SUP> x<SUP>sup");
}

TEST(PlainTextExport, BankLinesThenBareValues) {
    auto data = DataBuilder()
                    .emptyBank(4)
                    .item(1, 1234.5, true, true)
                    .item(15, 0.000012)
                    .emptyBank(5)
                    .build();
    EXPECT_EQ(plainText(*data), "\nBank 4 \n1234.5 \n1.2E-5 \n\nBank 5 \n");
    test::LocaleGuard czech(test::commaLocale.locale);
    ASSERT_TRUE(czech.ok());
    EXPECT_EQ(plainText(*data), "\nBank 4 \n1234,5 \n1,2E-5 \n\nBank 5 \n");
}

TEST(ExportFiles, TextStreamTurnsEveryLineFeedIntoCrLf) {
    test::TempDir dir;
    auto data = DataBuilder().emptyBank(1).item(1, 1e15, false, false, "line\r\nnext").build();

    ASSERT_TRUE(SaveHtml(dir.path("page.html"), *data));
    const std::string page = test::readFile(dir.path("page.html"));
    EXPECT_EQ(page.substr(0, 9), "<HTML>\r\r\n");
    EXPECT_NE(page.find("charset=utf-8\">\r\n<TITLE>"), std::string::npos);
    EXPECT_NE(page.find("line\r\r\nnext"), std::string::npos);

    ASSERT_TRUE(SavePlainText(dir.path("values.txt"), *data));
    EXPECT_EQ(test::readFile(dir.path("values.txt")), "\r\nBank 1 \r\n1E15 \r\n");

    ASSERT_TRUE(exportXml(dir.path("data.xml"), *data));
    EXPECT_EQ(test::readFile(dir.path("data.xml")), xmlOf(*data)) << "XML keeps plain LF";
}

TEST(ExportFiles, FailuresAreReportedAndNothingIsReplaced) {
    test::TempDir dir;
    const auto data = test::largeData(2000);
    EXPECT_FALSE(SaveHtml(dir.path("missing/page.html"), *data));
    EXPECT_FALSE(SavePlainText(dir.path(""), *data));
    EXPECT_THROW(exportXml(dir.path("missing/data.xml"), *data), std::runtime_error);

    test::writeFile(dir.path("page.html"), "old page");
    EXPECT_EXIT(
        {
            test::limitFileSize(4096);
            std::exit(SaveHtml(dir.path("page.html"), *data) ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(test::readFile(dir.path("page.html")), "old page");
}

}  // namespace
}  // namespace kadenza
