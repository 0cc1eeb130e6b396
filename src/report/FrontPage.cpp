#include "report/FrontPage.h"

#include "language/Language.h"
#include "report/DetailList.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int titleRow = 386;
constexpr int draftRow = 423;
constexpr int instrumentsRow = 400;
constexpr int modelRow = 287;
constexpr int serialRow = 288;
constexpr int calibrationSheetRow = 401;
constexpr int calibrationDateRow = 402;

constexpr qreal headingSpace = millimetres(6);
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);

std::string kindWithReason(const InspectionDetails& inspection) {
    const std::string kind = kindText(inspection.kind);
    return inspection.reason.empty() ? kind : kind + " \u2013 " + inspection.reason;
}

Table revisionDetails(const ReportContent& content) {
    const InspectionDetails& inspection = content.inspection;
    return {{35, 65},
            false,
            {},
            detailRows({
                {387, inspection.number},
                {388, kindWithReason(inspection)},
                {390, inspection.operatorName},
                {280, inspection.client},
                {281, inspection.site},
                {282, inspection.object},
                {391, inspection.scope},
                {392, inspection.supply},
                {393, inspection.protection},
                {394, inspection.influences},
                {428, periodNames(inspection.environment, environmentPeriods())},
                {429, periodNames(inspection.location, locationPeriods())},
                {395, inspection.documents},
                {396, dateText(inspection.date)},
                {397, dateText(inspection.endDate)},
                {398, dateText(inspection.reportDate)},
                {399, dateText(inspection.handoverDate)},
                {415, content.nextRevision ? nextRevisionText(*content.nextRevision) : ""},
                {283, inspection.inspector},
                {284, inspection.licence},
            })};
}

TableCell cell(const std::string& value) {
    return {userText(value), bodyStyle};
}

Table instrumentTable(const ReportContent& content) {
    Table table{{28, 22, 25, 25}, true, {}, {}};
    TableRow names{{}, headShade};
    for (const int row : {modelRow, serialRow, calibrationSheetRow, calibrationDateRow}) {
        names.cells.push_back({plainText(RowText(row)), columnNameStyle});
    }
    table.head.push_back(names);
    for (const InstrumentDetails& instrument : content.instruments) {
        table.rows.push_back(
            {{cell(instrument.model), cell(instrument.serial), cell(instrument.calibrationSheet),
              cell(dateText(instrument.calibrationDate))},
             {}});
    }
    return table;
}

// A draft says at once what it lacks, in the report's words.
std::string draftNotice(const ReportContent& content) {
    std::string notice = std::string(RowText(draftRow)) + ": ";
    for (std::size_t i = 0; i < content.missing.size(); ++i) {
        notice += (i == 0 ? "" : ", ") + content.missing[i].words;
    }
    return notice + ".";
}

}  // namespace

void addFrontPage(PageComposer& pages, const ReportContent& content) {
    pages.addText(plainText(RowText(titleRow)), titleStyle);
    if (!content.missing.empty()) {
        pages.addText(plainText(draftNotice(content)), failedStyle, paragraphSpace);
    }
    pages.addTable(revisionDetails(content), headingSpace);
    if (!content.instruments.empty()) {
        pages.addText(plainText(RowText(instrumentsRow)), headingStyle, headingSpace,
                      headingReserve);
        pages.addTable(instrumentTable(content), paragraphSpace);
    }
}

}  // namespace kadenza
