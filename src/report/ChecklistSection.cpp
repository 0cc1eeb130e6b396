#include "report/ChecklistSection.h"

#include "language/Language.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int actionsRow = 424;
constexpr int inspectionRow = 403;
constexpr int testsRow = 404;
constexpr int measurementsRow = 425;
constexpr int evaluationRow = 426;
constexpr int verdictRow = 275;

constexpr qreal headingSpace = millimetres(6);
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);

bool anyResult(const ReportContent& content, bool functional) {
    for (const auto& [item, result] : content.checks) {
        if (item.functional == functional && !result.empty()) {
            return true;
        }
    }
    return false;
}

// "Inspection, Functional tests, Measurements, Evaluation": what was done, as far as the
// report holds it.
std::string actionsDone(const ReportContent& content) {
    std::string actions;
    const auto add = [&actions](int row) {
        actions += (actions.empty() ? "" : ", ") + std::string(RowText(row));
    };
    if (anyResult(content, false)) {
        add(inspectionRow);
    }
    if (anyResult(content, true)) {
        add(testsRow);
    }
    if (!content.banks.empty()) {
        add(measurementsRow);
    }
    add(evaluationRow);
    return actions;
}

Table checkTable(const ReportContent& content, bool functional) {
    Table table{{75, 25}, true, {}, {}};
    table.head.push_back(
        {{{plainText(RowText(functional ? testsRow : inspectionRow)), columnNameStyle},
          {plainText(RowText(verdictRow)), columnNameStyle}},
         headShade});
    for (const auto& [item, result] : content.checks) {
        if (item.functional == functional) {
            const TextStyle& style = result == checkDefect ? failedStyle : bodyStyle;
            table.rows.push_back({{{plainText(RowText(item.row)), style},
                                   {plainText(checkResultText(result)), style}},
                                  {}});
        }
    }
    return table;
}

}  // namespace

void addChecklistSection(PageComposer& pages, const ReportContent& content) {
    pages.addText(plainText(RowText(actionsRow)), headingStyle, headingSpace, headingReserve);
    pages.addText(plainText(actionsDone(content)), bodyStyle, paragraphSpace);
    for (const bool functional : {false, true}) {
        if (anyResult(content, functional)) {
            pages.addTable(checkTable(content, functional), headingSpace);
        }
    }
}

}  // namespace kadenza
