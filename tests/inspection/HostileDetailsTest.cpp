#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "language/Language.h"
#include "model/NativeFile.h"
#include "support/FileSections.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

constexpr int lineVoltage = 1;

std::string plainFileBytes() {
    TempDir dir;
    const std::string path = dir.path("plain.tso");
    EXPECT_TRUE(saveNativeFile(path, *sampleData()));
    return readFile(path);
}

// The message an unreadable document gives, or empty when it was read.
std::string problemOf(const std::string& json) {
    try {
        DetailsDocument::fromJson(json);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

// A document nested deeper, or holding more values, than details ever do is refused as it
// is read, before it costs stack or memory out of proportion; the data beside it still open.
TEST(HostileDetailsTest, NestingAndSizeAreBoundedWhileReading) {
    const std::string deep =
        R"({"version":1,"x":)" + std::string(75000, '[') + std::string(75000, ']') + "}";
    EXPECT_EQ(problemOf(deep), "the details nest deeper than 64 levels");
    EXPECT_THROW(DetailsDocument::imported(deep), std::runtime_error);
    EXPECT_EQ(problemOf(R"({"version":1,"x":)" + std::string(63, '[') + std::string(63, ']') + "}"),
              "");

    std::string wide = R"({"version":1,"x":[)";
    while (wide.size() < 4 * 1024 * 1024) {
        wide += "{},";
    }
    wide += "{}]}";
    EXPECT_EQ(problemOf(wide), "the details hold too many values for their size");
    wide.resize(wide.find('[') + 1 + 3 * 5000);
    wide += "{}]}";
    EXPECT_EQ(problemOf(wide), "");
    // Details as people give them stay far within: a thousand banks with their details.
    DetailsDocument many;
    for (int bank = 1; bank <= 1000; ++bank) {
        const std::string prefix = "bank." + std::to_string(bank) + ".";
        for (const auto& [key, value] :
             {std::pair("label", "Zásuvky kuchyně"), std::pair("device", "B16"),
              std::pair("rcdCurrent", "30"), std::pair("earthing", "TN-C-S"),
              std::pair("rcdSelective", "no"), std::pair("remarks", "Bez závad.")}) {
            many.set(prefix + key, value);
        }
        many.set(prefix + "device", "B16");
    }
    EXPECT_EQ(problemOf(many.toJson()), "");

    const std::string file = withDetailsText(plainFileBytes(), deep);
    InstrumentData data;
    EXPECT_TRUE(openNativeBytes(file, data));
    EXPECT_GT(data.count(), 0);
    EXPECT_THROW(detailsOfFile(file), std::runtime_error);
}

// A change that would make the file larger than a data file may be is refused, the file as it
// was; another program's section stays in the file through a save.
TEST(HostileDetailsTest, SavesStayWithinTheLimitAndKeepOtherSections) {
    TempDir dir;
    const std::string path = dir.path("big.tso");
    DataBuilder builder;
    builder.bank(1);
    for (int item = 0; item < 205000; ++item) {
        builder.item(lineVoltage, 230);
    }
    const auto data = builder.build();
    ASSERT_TRUE(saveNativeFile(path, *data));
    const std::string before = readFile(path);
    ASSERT_LT(before.size(), nativeFileLimit);
    DetailsDocument details;
    details.set("inspection.remarks", std::string(nativeFileLimit - before.size(), 'x'));
    EXPECT_THROW(saveInspectionFile(path, *data, details), std::runtime_error);
    EXPECT_EQ(readFile(path), before);

    const std::string foreign = withSection(plainFileBytes(), "xtra", "another program's bytes");
    writeFile(dir.path("foreign.tso"), foreign);
    InstrumentData reopened;
    DetailsDocument none;
    ASSERT_TRUE(openInspectionFile(dir.path("foreign.tso"), reopened, none));
    const std::vector<FileSection> others = otherSectionsOf(foreign);
    ASSERT_EQ(others.size(), 1u);
    EXPECT_EQ(others[0].bytes, "another program's bytes");
    details = DetailsDocument();
    details.set("inspection.site", "Brno");
    ASSERT_TRUE(saveInspectionFile(dir.path("foreign.tso"), reopened, details, others));
    const std::string saved = readFile(dir.path("foreign.tso"));
    EXPECT_EQ(otherSectionsOf(saved).size(), 1u);
    EXPECT_EQ(otherSectionsOf(saved)[0].bytes, "another program's bytes");
    EXPECT_EQ(detailsOfFile(saved).inspection().site, "Brno");
}

// Text that is not UTF-8 is refused as a detail and never reaches a file marked UTF-8.
TEST(HostileDetailsTest, TextThatIsNotUtf8) {
    DetailsDocument details;
    EXPECT_THROW(details.set("inspection.client", "Nov\xE1kov\xE1"), std::invalid_argument);
    EXPECT_TRUE(details.empty());
    details.set("inspection.client", "Nováková");

    const auto data = DataBuilder()
                          .bank(1)
                          .item(lineVoltage, 230, true, false,
                                "ab\xFF"
                                "c")
                          .build();
    SetLanguage(englishLanguage);
    const std::string csv = csvText(*data, details);
    SetLanguage(czechLanguage);
    EXPECT_NE(csv.find("ab\xEF\xBF\xBD"
                       "c"),
              std::string::npos)
        << csv;
    EXPECT_EQ(csv.find("\xFF"), std::string::npos);
}

}  // namespace
}  // namespace kadenza::test
