#include "report/FrontPage.h"

#include "language/Language.h"
#include "report/DetailList.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int titleRow = 305;
constexpr int profileRow = 289;
constexpr int touchVoltageRow = 290;
constexpr int loopFactorRow = 291;
constexpr int standardsRow = 317;
constexpr int overallRow = 311;
constexpr int summaryRow = 319;
constexpr int bankRow = 267;
constexpr int labelRow = 293;
constexpr int passedRow = 314;
constexpr int failedRow = 315;
constexpr int notJudgedRow = 316;
constexpr int verdictRow = 275;

constexpr double defaultTouchVoltageLimit = 50;
constexpr qreal headingSpace = millimetres(6);
// A heading moves to the next page unless a few lines fit below it.
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);

bool isInstallation(const std::string& profile) {
    return profile == installation2016Profile || profile == installation2006Profile;
}

std::string standards(const std::string& profile) {
    if (isInstallation(profile)) {
        return "IEC 60364-6 / ČSN 33 2000-6, IEC 60364-4-41, IEC 61008-1 / IEC 61009-1";
    }
    return profile == applianceProfile ? "EN 50678 / VDE 0701-0702" : "";
}

// U_L and the loop factor are settings of an installation's standards only.
std::string touchVoltageLimit(const ReportContent& content) {
    if (!isInstallation(content.profile)) {
        return {};
    }
    return quantityText(content.inspection.touchVoltageLimit.value_or(defaultTouchVoltageLimit),
                        "V");
}

std::string loopFactor(const ReportContent& content) {
    if (!isInstallation(content.profile)) {
        return {};
    }
    const std::string& factor = content.inspection.loopFactor;
    return localDecimals(factor.empty() ? "1" : factor);
}

Table inspectionDetails(const ReportContent& content) {
    const InspectionDetails& inspection = content.inspection;
    return {{35, 65},
            false,
            {},
            detailRows({
                {280, inspection.client},
                {281, inspection.site},
                {282, inspection.object},
                {283, inspection.inspector},
                {284, inspection.licence},
                {285, inspection.date},
                {286, inspection.nextDate},
                {287, inspection.model},
                {288, inspection.serial},
                {profileRow, profileName(content.profile)},
                {standardsRow, standards(content.profile)},
                {touchVoltageRow, touchVoltageLimit(content)},
                {loopFactorRow, loopFactor(content)},
            })};
}

TableCell text(const std::string& value, const TextStyle& style = bodyStyle) {
    return {plainText(value), style};
}

TableCell count(int number) {
    return text(std::to_string(number), countStyle);
}

TableCell verdictCell(VerdictKind kind) {
    return text(verdictText(kind), kind == VerdictKind::fail ? failedStyle : bodyStyle);
}

Table bankOverview(const ReportContent& content) {
    Table table{{13, 27, 14, 14, 15, 17}, true, {}, {}};
    TableRow names{{}, headShade};
    for (const int row : {bankRow, labelRow, passedRow, failedRow, notJudgedRow, verdictRow}) {
        names.cells.push_back(text(RowText(row), columnNameStyle));
    }
    table.head.push_back(names);
    for (const BankReport& bank : content.banks) {
        table.rows.push_back(
            {{text(bankTitle(*bank.bank)), text(bank.details.label), count(bank.counts.pass),
              count(bank.counts.fail), count(bank.counts.none), verdictCell(bank.counts.overall())},
             {}});
    }
    return table;
}

// "Passed: 12 · Failed: 1 · Not judged: 30".
std::string countsLine(const VerdictCounts& counts) {
    return std::string(RowText(passedRow)) + ": " + std::to_string(counts.pass) + "  \u00B7  " +
           RowText(failedRow) + ": " + std::to_string(counts.fail) + "  \u00B7  " +
           RowText(notJudgedRow) + ": " + std::to_string(counts.none);
}

}  // namespace

void addFrontPage(PageComposer& pages, const ReportContent& content) {
    pages.addText(plainText(RowText(titleRow)), titleStyle);
    pages.addTable(inspectionDetails(content), headingSpace);
    pages.addText(plainText(RowText(summaryRow)), headingStyle, headingSpace, headingReserve);
    const VerdictKind overall = content.counts.overall();
    pages.addText(plainText(std::string(RowText(overallRow)) + ": " + verdictText(overall)),
                  overall == VerdictKind::fail ? failedVerdictStyle : verdictStyle, paragraphSpace);
    pages.addText(plainText(countsLine(content.counts)), bodyStyle, paragraphSpace);
    pages.addTable(bankOverview(content), headingSpace);
}

}  // namespace kadenza
