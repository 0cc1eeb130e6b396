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
constexpr int overallRow = 311;

std::string profileOf(const ParsedArguments& parsed) {
    const std::string profile = parsed.value("--profile").value_or("");
    if (!profile.empty() && profile != installation2016Profile &&
        profile != installation2006Profile && profile != installation2001Profile &&
        profile != applianceProfile) {
        throw UsageError("invalid profile '" + profile +
                         "': expected installation-2016, installation-2006, installation-2001 "
                         "or appliance");
    }
    return profile;
}

// The verdict, its limit and its rule, or the detail the rule missed; then any remark.
std::string verdictColumns(const Verdict& verdict) {
    std::string text = verdict.kind == VerdictKind::none ? "-" : verdictWord(verdict.kind);
    if (verdict.lacksDetail()) {
        text += "  " + std::string(RowText(missingRow)) + " " + verdict.missing;
    } else if (!verdict.rule.empty()) {
        const std::string limit = shownLimit(verdict);
        text += (limit.empty() ? "" : "  " + limit) + "  " + verdict.rule;
    }
    if (!verdict.remark.empty()) {
        text += "  (" + remarkText(verdict.remark) + ")";
    }
    return text;
}

// "pass 33, fail 1, missing detail 20, not judged 16", then the overall result with the
// details it lacked.
std::string countsLines(const std::string& profile, const VerdictCounts& counts) {
    std::string text = profile + ": " + verdictWord(VerdictKind::pass) + " " +
                       std::to_string(counts.pass) + ", " + verdictWord(VerdictKind::fail) + " " +
                       std::to_string(counts.fail) + ", " + missingDetailWord() + " " +
                       std::to_string(counts.missing) + ", " + verdictWord(VerdictKind::none) +
                       " " + std::to_string(counts.none) + "\n" + RowText(overallRow) + ": " +
                       overallWord(counts.overall());
    if (!counts.missingDetails.empty()) {
        text += " (" + std::string(RowText(missingRow));
        for (std::size_t i = 0; i < counts.missingDetails.size(); ++i) {
            text += (i == 0 ? " " : ", ") + counts.missingDetails[i];
        }
        text += ")";
    }
    return text + "\n";
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
    return text + countsLines(evaluation.profile, evaluation.counts);
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
    switch (evaluation.counts.overall()) {
        case Overall::fail:
            return exitFailedLimit;
        case Overall::incomplete:
            return exitIncomplete;
        case Overall::pass:
        case Overall::none:
            break;
    }
    return exitSuccess;
}

}  // namespace kadenza::cli
