#include "inspection/CsvExport.h"

#include <charconv>
#include <vector>

#include "inspection/Evaluation.h"
#include "inspection/ScriptText.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"
#include "model/NumberText.h"
#include "model/Utf8Characters.h"

namespace kadenza {

namespace {

constexpr int unitRow = 24;
constexpr int noteRow = 25;
constexpr int headerRows[] = {267, 268, 269, 270, unitRow, 271, noteRow, 272,
                              273, 274, 275, 293, 332,     324, 333};

// How the locale writes numbers decides the separators.
struct CsvStyle {
    char separator;
    char decimal;
};

CsvStyle localStyle() {
    return decimalSeparator() == "," ? CsvStyle{';', ','} : CsvStyle{',', '.'};
}

std::string withDecimal(std::string text, char decimal) {
    for (char& c : text) {
        if (c == '.') {
            c = decimal;
        }
    }
    return text;
}

// A text that starts as a formula would (= + - @, a tab or a carriage return) led by an
// apostrophe, so that a spreadsheet shows it instead of running it.
std::string inert(const std::string& text) {
    if (!text.empty() && std::string("=+-@\t\r").find(text.front()) != std::string::npos) {
        return "'" + text;
    }
    return text;
}

// A field in quotes when it holds a separator, a quote or a line break; quotes doubled.
std::string field(const std::string& text, char separator) {
    if (text.find_first_of(std::string("\"\r\n") + separator) == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

void appendRow(std::string& csv, const std::vector<std::string>& fields, char separator) {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) {
            csv += separator;
        }
        csv += field(withInvalidUtf8Replaced(fields[i]), separator);
    }
    csv += "\r\n";
}

// The shortest text that reads back to the same double ("0.1", "1e-07", "230").
std::string shortestNumberText(double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::vector<std::string> itemFields(const ItemEvaluation& judged, const BankDetails& bank,
                                    const CsvStyle& style) {
    const InstrumentItem& item = *judged.item;
    const Verdict& verdict = judged.verdict;
    return {std::to_string(judged.bank->number()),
            judged.address ? std::to_string(*judged.address) : std::string(),
            inert(plainScriptText(item.symbolText())),
            withDecimal(shortestNumberText(item.value()), style.decimal),
            inert(plainScriptText(item.unitText())),
            inert(plainScriptText(item.text(showUnit))),
            inert(plainScriptText(item.noteOrEmpty())),
            item.isPrimary() ? "1" : "0",
            item.isOver() ? "1" : "0",
            withDecimal(shownLimit(verdict), style.decimal),
            verdictWord(verdict),
            inert(bank.label),
            verdict.rule,
            verdict.missing,
            verdict.remark.empty() ? std::string() : remarkText(verdict.remark)};
}

}  // namespace

std::string csvText(const InstrumentData& data, const DetailsDocument& details) {
    return csvText(evaluate(data, details));
}

std::string csvText(const Evaluation& evaluation) {
    const CsvStyle style = localStyle();
    std::string csv = "\xEF\xBB\xBF";
    std::vector<std::string> header;
    for (int row : headerRows) {
        header.emplace_back(RowText(row));
    }
    appendRow(csv, header, style.separator);
    auto bank = evaluation.banks.begin();
    for (const ItemEvaluation& judged : evaluation.items) {
        while (bank->bank != judged.bank) {
            ++bank;
        }
        appendRow(csv, itemFields(judged, bank->details, style), style.separator);
    }
    return csv;
}

}  // namespace kadenza
