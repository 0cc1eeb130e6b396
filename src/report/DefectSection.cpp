#include "report/DefectSection.h"

#include "language/Language.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int defectsRow = 408;
constexpr int noDefectsRow = 413;
constexpr int bankRow = 267;

constexpr qreal headingSpace = millimetres(8);
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);

Table defectTable(const ReportContent& content) {
    Table table{{7, 41, 22, 8, 12, 10}, true, {}, {}};
    TableRow names{{{plainText(""), columnNameStyle}}, headShade};
    for (const int row : {409, 410, 411, 412, bankRow}) {
        names.cells.push_back({plainText(RowText(row)), columnNameStyle});
    }
    table.head.push_back(names);
    // Numbered throughout from 1 whatever keys the details give them.
    int number = 0;
    for (const DefectDetails& defect : content.defects) {
        const TextStyle& style = defect.defectClass == dangerDefect ? failedStyle : bodyStyle;
        table.rows.push_back({{{plainText(std::to_string(++number) + "."), style},
                               {userText(defect.text), style},
                               {userText(defect.provision), style},
                               {plainText(defectClassCode(defect.defectClass)), style},
                               {plainText(dateText(defect.deadline)), style},
                               {plainText(defect.bank ? std::to_string(*defect.bank) : ""), style}},
                              {}});
    }
    return table;
}

}  // namespace

void addDefectSection(PageComposer& pages, const ReportContent& content) {
    pages.addText(plainText(RowText(defectsRow)), headingStyle, headingSpace, headingReserve);
    if (content.defects.empty()) {
        pages.addText(plainText(RowText(noDefectsRow)), bodyStyle, paragraphSpace);
        return;
    }
    pages.addTable(defectTable(content), paragraphSpace);
}

}  // namespace kadenza
