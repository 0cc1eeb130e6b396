#include "cli/EvaluateCommand.h"

#include <algorithm>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/LanguageChoice.h"
#include "cli/RowRendering.h"
#include "cli/Usage.h"
#include "inspection/CsvExport.h"
#include "inspection/JsonExport.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "model/InstrumentItem.h"

namespace kadenza::cli {

namespace {

constexpr int missingRow = 279;

std::string profileOf(const ParsedArguments& parsed) {
    const std::string profile = parsed.value("--profile").value_or("");
    if (!profile.empty() && profile != installation2016Profile &&
        profile != installation2006Profile && profile != applianceProfile) {
        throw UsageError("invalid profile '" + profile +
                         "': expected installation-2016, installation-2006 or appliance");
    }
    return profile;
}

// The verdict, its limit and its rule, or the detail the rule missed.
std::string verdictColumns(const Verdict& verdict) {
    std::string text = verdict.kind == VerdictKind::none ? "-" : verdictWord(verdict.kind);
    if (!verdict.missing.empty()) {
        return text + "  " + RowText(missingRow) + " " + verdict.missing;
    }
    if (!verdict.limit.empty()) {
        text += "  " + verdict.limit + "  " + verdict.rule;
    }
    return text;
}

// Characters, not bytes: symbols and units hold Greek letters.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string rowOf(const ItemEvaluation& judged) {
    std::string row = readableRow(judged.item->text(showAllColumns));
    row.erase(row.find_last_not_of(' ') + 1);
    if (judged.address) {
        row += " [" + std::to_string(*judged.address) + "]";
    }
    return row;
}

// Each bank, then its items with their verdicts in aligned columns, then the counts.
std::string table(const Evaluation& evaluation) {
    std::size_t width = 0;
    for (const ItemEvaluation& judged : evaluation.items) {
        width = std::max(width, displayWidth(rowOf(judged)));
    }
    std::string text;
    const InstrumentBank* bank = nullptr;
    for (const ItemEvaluation& judged : evaluation.items) {
        if (judged.bank != bank) {
            bank = judged.bank;
            text += bank->text(showAllColumns) + "\n";
        }
        const std::string row = rowOf(judged);
        text += "  " + row + std::string(width - displayWidth(row) + 2, ' ') +
                verdictColumns(judged.verdict) + "\n";
    }
    const VerdictCounts& counts = evaluation.counts;
    return text + evaluation.profile + ": " + verdictWord(VerdictKind::pass) + " " +
           std::to_string(counts.pass) + ", " + verdictWord(VerdictKind::fail) + " " +
           std::to_string(counts.fail) + ", " + verdictWord(VerdictKind::none) + " " +
           std::to_string(counts.none) + "\n";
}

std::string formatOf(const ParsedArguments& parsed) {
    const std::string format = parsed.value("--format").value_or("table");
    if (format != "table" && format != "csv" && format != "json") {
        throw UsageError("invalid format '" + format + "': expected table, csv or json");
    }
    return format;
}

void printReport(const std::string& format, const Evaluation& evaluation) {
    if (format == "json") {
        writeEvaluationJson(std::cout, evaluation);
    } else {
        std::cout << (format == "csv" ? csvText(evaluation) : table(evaluation));
    }
}

}  // namespace

int runEvaluate(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << evaluateUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{}, {"--profile", "--format", "--lang"}});
    applyLanguage(parsed);
    const auto& files = parsed.positionals();
    if (files.size() != 1) {
        throw UsageError(files.empty() ? "missing data file"
                                       : "unexpected argument '" + files[1] + "'");
    }
    const std::string profile = profileOf(parsed);
    const std::string format = formatOf(parsed);
    const InspectionInput input = readInspectionFile(files.front());
    const Evaluation evaluation = evaluate(*input.data, input.details, profile);
    printReport(format, evaluation);
    if (!std::cout.flush()) {
        throw FileError("Cannot write to standard output");
    }
    return evaluation.counts.fail > 0 ? exitFailedLimit : exitSuccess;
}

}  // namespace kadenza::cli
