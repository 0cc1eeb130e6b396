#include <gtest/gtest.h>

#include "inspection/DetailsDocument.h"
#include "report/ReportContent.h"
#include "support/SampleData.h"

namespace kadenza::test {
namespace {

constexpr int loopImpedance = 3;
constexpr int insulation = 15;
constexpr int lineVoltage = 1;

// The rows that number a bank or a record are its title, not measurements: they are neither
// listed nor counted, in a bank's counts or in the report's.
TEST(ReportContentTest, ListsAndCountsOnlyTheMeasuredItems) {
    const auto data = DataBuilder()
                          .bank(1)
                          .item(loopImpedance, 2.5, true)
                          .item(loopImpedance, 3.1, true)
                          .item(lineVoltage, 230, true)
                          .numbered(7)
                          .item(insulation, 0.4e6, true, false, "500V")
                          .item(loopImpedance, 0.5, true)
                          .build();
    DetailsDocument details;
    details.set("inspection.profile", "installation-2016");
    details.set("bank.1.device", "B16");
    details.set("bank.1.earthing", "TN");
    details.set("bank.1.label", "Kitchen");

    const ReportContent content = reportContent(*data, details);
    ASSERT_EQ(content.banks.size(), 2u);
    const BankReport& circuit = content.banks[0];
    EXPECT_EQ(circuit.details.label, "Kitchen");
    ASSERT_EQ(circuit.items.size(), 3u);
    EXPECT_EQ(circuit.items[0].item->value(), 2.5);
    EXPECT_EQ(circuit.items[0].address, 1);
    EXPECT_EQ(circuit.counts.pass, 1);
    EXPECT_EQ(circuit.counts.fail, 1);
    EXPECT_EQ(circuit.counts.none, 1);
    EXPECT_EQ(circuit.counts.missing, 0);
    const BankReport& record = content.banks[1];
    ASSERT_EQ(record.items.size(), 2u);
    EXPECT_EQ(record.items[1].verdict.missing, "bank.earthing");
    EXPECT_EQ(content.counts.pass, 1);
    EXPECT_EQ(content.counts.fail, 2);
    EXPECT_EQ(content.counts.missing, 1);
    EXPECT_EQ(content.counts.none, 1);
    // The report counts what evaluate counts.
    const VerdictCounts evaluated = evaluate(*data, details).counts;
    EXPECT_EQ(evaluated.pass + evaluated.fail + evaluated.missing + evaluated.none, 5);
    EXPECT_EQ(evaluated.missing, content.counts.missing);
    EXPECT_EQ(evaluated.none, content.counts.none);
    // The loop rule judged twice and lacked a device once; its source is named once.
    EXPECT_EQ(content.sources, (std::vector<std::string>{ruleSource("loop-impedance"),
                                                         ruleSource("insulation-2016")}));
}

}  // namespace
}  // namespace kadenza::test
