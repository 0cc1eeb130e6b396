#include "cli/ShowCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/RowRendering.h"
#include "cli/Usage.h"

namespace kadenza::cli {

namespace {

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

std::string printedRow(const std::string& row, bool raw) {
    return raw ? row : withoutTrailingBlanks(readableRow(row));
}

// The tree appends " [n]" to the n-th primary item of a bank and one blank to every other
// row, bank rows included.
void printBank(const InstrumentBank& bank, const ShowArguments& options, std::ostream& out) {
    out << printedRow(bank.text(options.mask) + " ", options.raw) << '\n';
    int address = 1;
    for (int i = 0; i < bank.count(); ++i) {
        const InstrumentItem& item = *bank.item(i);
        std::string row = item.text(options.mask);
        row += item.isPrimary() ? " [" + std::to_string(address++) + "]" : " ";
        out << "  " << printedRow(row, options.raw) << '\n';
    }
}

}  // namespace

int runShow(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << showUsage;
        return exitSuccess;
    }
    const ShowArguments parsed = parseShowArguments(args);
    const auto data = readInspectionFile(parsed.input).data;
    for (int b = 0; b < data->count(); ++b) {
        printBank(*data->bank(b), parsed, std::cout);
    }
    return exitSuccess;
}

}  // namespace kadenza::cli
