#include "report/SummarySection.h"

#include <algorithm>
#include <utility>

#include "language/Language.h"
#include "report/DetailList.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

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
constexpr int missingDetailRow = 324;
constexpr int missingDetailsRow = 325;
constexpr int verdictRow = 275;

// How much of a bank's label the overview shows; the bank's section shows it whole.
constexpr std::size_t overviewLabelLength = 120;

constexpr double defaultTouchVoltageLimit = 50;
constexpr qreal headingSpace = millimetres(6);
// A heading moves to the next page unless a few lines fit below it.
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);

bool isInstallation(const std::string& profile) {
    return profile == installation2016Profile || profile == installation2006Profile ||
           profile == installation2001Profile;
}

// The edition of the installation's inspection standard the profile judges by.
std::string inspectionStandard(const std::string& profile) {
    if (profile == installation2001Profile) {
        return "IEC 60364-6-61:2001 / ČSN 33 2000-6-61:2003";
    }
    if (profile == installation2006Profile) {
        return "IEC 60364-6:2006 / ČSN 33 2000-6:2007";
    }
    return "IEC 60364-6:2016 / ČSN 33 2000-6 ed. 2";
}

std::string standards(const std::string& profile) {
    if (isInstallation(profile)) {
        return inspectionStandard(profile) + ", IEC 60364-4-41, IEC 61008-1 / IEC 61009-1";
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

Table profileDetails(const ReportContent& content) {
    return {{35, 65},
            false,
            {},
            detailRows({
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

TableCell overallCell(Overall overall) {
    return text(overallText(overall), overall == Overall::fail ? failedStyle : bodyStyle);
}

Table bankOverview(const ReportContent& content) {
    Table table{{11, 20, 12, 13, 14, 15, 15}, true, {}, {}};
    TableRow names{{}, headShade};
    for (const int row :
         {bankRow, labelRow, passedRow, failedRow, missingDetailRow, notJudgedRow, verdictRow}) {
        names.cells.push_back(text(RowText(row), columnNameStyle));
    }
    table.head.push_back(names);
    for (const BankReport& bank : content.banks) {
        table.rows.push_back(
            {{text(bankTitle(*bank.bank)),
              {userText(shortened(bank.details.label, overviewLabelLength)), bodyStyle},
              count(bank.counts.pass),
              count(bank.counts.fail),
              count(bank.counts.missing),
              count(bank.counts.none),
              overallCell(bank.counts.overall())},
             {}});
    }
    return table;
}

// "Passed: 12 · Failed: 1 · Missing detail: 4 · Not judged: 30".
std::string countsLine(const VerdictCounts& counts) {
    std::string line;
    for (const auto& [row, number] :
         {std::pair(passedRow, counts.pass), std::pair(failedRow, counts.fail),
          std::pair(missingDetailRow, counts.missing), std::pair(notJudgedRow, counts.none)}) {
        line += (line.empty() ? "" : "  \u00B7  ") + std::string(RowText(row)) + ": " +
                std::to_string(number);
    }
    return line;
}

// "Missing details: Protective device (Bank 1, Bank 2) · PE conductor limit (Bank 1)".
StyledText missingDetailsLine(const ReportContent& content) {
    StyledText line = plainText(std::string(RowText(missingDetailsRow)) + ": ");
    const std::vector<std::string>& details = content.counts.missingDetails;
    for (std::size_t i = 0; i < details.size(); ++i) {
        std::string banks;
        for (const BankReport& bank : content.banks) {
            const auto& lacked = bank.counts.missingDetails;
            if (std::find(lacked.begin(), lacked.end(), details[i]) != lacked.end()) {
                banks += (banks.empty() ? "" : ", ") + bankTitle(*bank.bank);
            }
        }
        append(line, markedText((i == 0 ? "" : "  \u00B7  ") + detailLabel(details[i])));
        append(line, plainText(" (" + banks + ")"));
    }
    return line;
}

}  // namespace

void addSummarySection(PageComposer& pages, const ReportContent& content) {
    pages.breakPage();
    pages.addText(plainText(RowText(summaryRow)), headingStyle);
    pages.addTable(profileDetails(content), paragraphSpace);
    const Overall overall = content.counts.overall();
    pages.addText(plainText(std::string(RowText(overallRow)) + ": " + overallText(overall)),
                  overall == Overall::fail ? failedVerdictStyle : verdictStyle, paragraphSpace);
    if (!content.counts.missingDetails.empty()) {
        pages.addText(missingDetailsLine(content), bodyStyle, paragraphSpace);
    }
    pages.addText(plainText(countsLine(content.counts)), bodyStyle, paragraphSpace);
    pages.addTable(bankOverview(content), headingSpace);
}

}  // namespace kadenza
