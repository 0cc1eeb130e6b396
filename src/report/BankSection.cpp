#include "report/BankSection.h"

#include <optional>

#include "inspection/CircuitDetails.h"
#include "language/Language.h"
#include "model/InstrumentItem.h"
#include "report/DetailList.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int measuredValuesRow = 318;
constexpr int notMeasuredRow = 541;
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

// How much of a bank's label its repeated head shows; the first row shows it whole.
constexpr std::size_t headLabelLength = 120;

// Volts as a number with its unit, or a kind of circuit such as SELV as it is.
std::string nominalVoltage(const std::string& voltage) {
    const std::optional<double> volts = readNominalVolts(voltage);
    return volts ? quantityText(volts, "V") : voltage;
}

// The bank's details in one text, led by its label where the head had to shorten it.
StyledText bankDetails(const BankDetails& details) {
    const bool labelCut = shortened(details.label, headLabelLength) != details.label;
    return detailRun({
        {293, labelCut ? details.label : std::string()},
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

// The title and the column names, drawn again on every page the bank goes on on.
std::vector<TableRow> tableHead(const std::string& bankName, const BankDetails& details) {
    StyledText title = plainText(bankName);
    if (!details.label.empty()) {
        append(title, plainText(" \u2013 "));
        append(title, userText(shortened(details.label, headLabelLength)));
    }
    std::vector<TableRow> head{{{{title, bankTitleStyle}}, titleShade}};
    TableRow names{{}, headShade};
    for (const Column& column : columns) {
        names.cells.push_back({plainText(RowText(column.row)), columnNameStyle});
    }
    head.push_back(names);
    return head;
}

// The verdict, or for an item a rule could not judge the detail it lacked; a remark below.
TableCell verdictCell(const Verdict& verdict, const TextStyle& style) {
    std::string text;
    TextStyle cellStyle = style;
    if (verdict.kind != VerdictKind::none) {
        text = verdictText(verdict.kind);
    } else if (verdict.lacksDetail()) {
        text = missingText(verdict.missing);
        cellStyle = missingStyle;
    }
    if (!verdict.remark.empty()) {
        text += (text.empty() ? "" : "\n") + remarkText(verdict.remark);
    }
    return {markedText(text), cellStyle};
}

// A failed item's row is bold and red throughout, its verdict marked with a cross. A row that
// does not open a record (a loop test's I_K after its Z_S) stays on the page of the one before.
TableRow itemRow(const ItemEvaluation& judged) {
    const InstrumentItem& item = *judged.item;
    const TextStyle& style = judged.verdict.kind == VerdictKind::fail ? failedStyle : bodyStyle;
    TableRow row{{
                     {plainText(judged.address ? std::to_string(*judged.address) : ""), style},
                     {styledText(item.symbolText()), style},
                     {styledText(readingText(item, judged.verdict)), style},
                     {styledText(item.noteOrEmpty()), style},
                     {plainText(limitCellText(judged.verdict)), style},
                     verdictCell(judged.verdict, style),
                 },
                 {}};
    row.keepWithPrevious = !item.isPrimary();
    return row;
}

// A bank's table: its details, then its items; a circuit described but without a value
// measured says so rather than being left out.
Table bankTable(const std::string& bankName, const BankDetails& bankDetailsGiven,
                const std::vector<ItemEvaluation>& items) {
    Table table{{}, true, tableHead(bankName, bankDetailsGiven), {}};
    for (const Column& column : columns) {
        table.columns.push_back(column.width);
    }
    const StyledText details = bankDetails(bankDetailsGiven);
    if (!details.text.isEmpty()) {
        table.rows.push_back({{{details, bankDetailsStyle}}, titleShade});
    }
    for (const ItemEvaluation& judged : items) {
        table.rows.push_back(itemRow(judged));
    }
    if (items.empty()) {
        table.rows.push_back({{{plainText(RowText(notMeasuredRow)), bodyStyle}}, {}});
    }
    return table;
}

}  // namespace

void addBankSections(PageComposer& pages, const ReportContent& content) {
    pages.breakPage();
    pages.addText(plainText(RowText(measuredValuesRow)), headingStyle);
    for (const BankReport& bank : content.banks) {
        pages.addTable(bankTable(bankTitle(*bank.bank), bank.details, bank.items), bankSpace);
    }
    for (const auto& [number, details] : content.unmeasuredBanks) {
        pages.addTable(bankTable(bankTitle(number), details, {}), bankSpace);
    }
}

}  // namespace kadenza
