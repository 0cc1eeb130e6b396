#include "report/BankSection.h"

#include <algorithm>
#include <cctype>

#include "language/Language.h"
#include "model/InstrumentItem.h"
#include "report/DetailList.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int measuredValuesRow = 318;
constexpr int noteRow = 25;
constexpr qreal bankSpace = millimetres(5);

// The columns: the language row of each name and its share of the width in per cent.
struct Column {
    int row;
    int width;
};

constexpr Column columns[] = {
    {268, 10},                 // address
    {269, 12},                 // symbol
    {270, 15},                 // value with its unit
    {noteRow, 21}, {274, 18},  // limit
    {275, 24},                 // verdict
};

// Volts as a number, or a kind of circuit such as SELV as it is.
std::string nominalVoltage(const std::string& voltage) {
    const bool volts = !voltage.empty() && std::all_of(voltage.begin(), voltage.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c)) != 0;
    });
    return volts ? voltage + " V" : voltage;
}

std::string bankDetails(const BankDetails& details) {
    return detailRun({
        {294, details.device},
        {295, quantityText(details.rcdCurrent, "mA")},
        {296, details.rcdType},
        {297, yesNo(details.rcdSelective)},
        {298, details.earthing},
        {299, nominalVoltage(details.nominalVoltage)},
        {300, quantityText(details.peLimit, "Ω")},
        {301, details.applianceClass},
        {302, quantityText(details.cordLength, "m")},
        {292, details.remarks},
    });
}

std::vector<TableRow> tableHead(const BankReport& bank) {
    std::string title = bankTitle(*bank.bank);
    if (!bank.details.label.empty()) {
        title += " \u2013 " + bank.details.label;
    }
    std::vector<TableRow> head{{{{plainText(title), bankTitleStyle}}, titleShade}};
    const std::string details = bankDetails(bank.details);
    if (!details.empty()) {
        head.push_back({{{plainText(details), bankDetailsStyle}}, titleShade});
    }
    TableRow names{{}, headShade};
    for (const Column& column : columns) {
        names.cells.push_back({plainText(RowText(column.row)), columnNameStyle});
    }
    head.push_back(names);
    return head;
}

// The verdict, or for an item a rule could not judge the detail it lacked.
TableCell verdictCell(const Verdict& verdict, const TextStyle& style) {
    if (verdict.kind != VerdictKind::none) {
        return {plainText(verdictText(verdict.kind)), style};
    }
    return {plainText(verdict.missing.empty() ? "" : missingText(verdict.missing)), missingStyle};
}

// A failed item's row is bold and red throughout, its verdict marked with a cross.
TableRow itemRow(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    const TextStyle& style = judged.verdict.kind == VerdictKind::fail ? failedStyle : bodyStyle;
    return {{
                {plainText(judged.address ? std::to_string(*judged.address) : ""), style},
                {styledText(item.symbolText()), style},
                {styledText(item.text(showUnit)), style},
                {styledText(item.noteOrEmpty()), style},
                {plainText(localDecimals(judged.verdict.limit)), style},
                verdictCell(judged.verdict, style),
            },
            {}};
}

Table bankTable(const BankReport& bank) {
    Table table{{}, true, tableHead(bank), {}};
    for (const Column& column : columns) {
        table.columns.push_back(column.width);
    }
    for (const ItemEvaluation& judged : bank.items) {
        table.rows.push_back(itemRow(judged));
    }
    return table;
}

}  // namespace

void addBankSections(PageComposer& pages, const ReportContent& content) {
    pages.breakPage();
    pages.addText(plainText(RowText(measuredValuesRow)), headingStyle);
    for (const BankReport& bank : content.banks) {
        pages.addTable(bankTable(bank), bankSpace);
    }
}

}  // namespace kadenza
