#include "cli/DetailsCommand.h"

#include <iostream>
#include <optional>
#include <stdexcept>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/OutputTarget.h"
#include "cli/RawFiles.h"
#include "cli/Usage.h"
#include "inspection/Conclusion.h"
#include "inspection/InspectionFile.h"
#include "inspection/RevisionPeriods.h"
#include "model/FileLock.h"
#include "model/InstrumentBank.h"

namespace kadenza::cli {

namespace {

// Details are a few kilobytes; a file far larger is no details file.
constexpr std::size_t detailsFileLimit = 1024 * 1024;

DetailsDocument importedDetails(const std::string& path) {
    const std::vector<std::uint8_t> bytes = readRawFile(
        path, detailsFileLimit, FileError(path + " is too large for inspection details"));
    const std::string text(bytes.begin(), bytes.end());
    try {
        DetailsDocument::fromJson(text);
    } catch (const std::runtime_error& error) {
        throw FileError(path + ": " + error.what());
    }
    // Details that can be read but hold a value --set refuses exit as --set does.
    try {
        return DetailsDocument::imported(text);
    } catch (const std::runtime_error& error) {
        throw UsageError(path + ": " + error.what());
    }
}

void setDetail(DetailsDocument& details, const std::string& assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string::npos) {
        throw UsageError("--set takes NAME=VALUE, not '" + assignment + "'");
    }
    try {
        details.set(assignment.substr(0, equals), assignment.substr(equals + 1));
    } catch (const std::invalid_argument& error) {
        throw UsageError(error.what());
    }
}

void saveDetails(const std::string& path, const InspectionInput& input) {
    bool saved = false;
    try {
        saved = saveInspectionFile(path, *input.data, input.details, input.otherSections);
    } catch (const std::runtime_error& error) {
        throw FileError(path + ": " + error.what());
    }
    if (!saved) {
        throw FileError("Cannot write file " + path);
    }
}

std::string bankList(const InstrumentData& data) {
    std::string list;
    for (int b = 0; b < data.count(); ++b) {
        list += (list.empty() ? "" : ", ") + std::to_string(data.bank(b)->number());
    }
    return list.empty() ? "no banks" : "banks " + list;
}

bool holdsBank(const InstrumentData& data, int number) {
    for (int b = 0; b < data.count(); ++b) {
        if (data.bank(b)->number() == number) {
            return true;
        }
    }
    return false;
}

// The banks a call gives details for: all of an import's, and the one each --set names that
// does not remove a detail. The names were checked as the details were set.
std::vector<int> banksGiven(const ParsedArguments& parsed, const DetailsDocument* imported) {
    std::vector<int> numbers;
    if (imported != nullptr) {
        numbers = imported->bankNumbers();
    }
    for (const std::string& assignment : parsed.values("--set")) {
        const std::size_t equals = assignment.find('=');
        const std::string name = assignment.substr(0, equals);
        const std::size_t dot = name.find('.', 5);
        if (name.rfind("bank.", 0) == 0 && dot != std::string::npos &&
            equals + 1 < assignment.size()) {
            numbers.push_back(std::stoi(name.substr(5, dot - 5)));
        }
    }
    return numbers;
}

// Details of a bank the file does not hold are most likely a mistyped number; --force keeps
// them for a bank still to be measured.
void checkBanksHeld(const std::vector<int>& numbers, const InstrumentData& data) {
    for (const int number : numbers) {
        if (!holdsBank(data, number)) {
            throw UsageError("bank " + std::to_string(number) + ": the file holds " +
                             bankList(data) + " (--force keeps details for a bank still to come)");
        }
    }
}

// A next revision later than the period tables allow for the installation's environment and
// place is most likely a slip; --force keeps it, and the report then says it exceeds them. A
// date the file already kept that way is not asked about again.
void checkNextDate(const InspectionDetails& before, const InspectionDetails& after) {
    const std::optional<NextRevision> next = nextRevision(after);
    if (!next || next->tableDate.empty()) {
        return;
    }
    const std::optional<NextRevision> kept = nextRevision(before);
    if (kept && kept->date == next->date && kept->tableDate == next->tableDate) {
        return;
    }
    throw UsageError("inspection.nextDate: " + next->date + " is later than " + next->tableDate +
                     ", which the period tables set (" +
                     (next->byEnvironment ? "inspection.environment " : "inspection.location ") +
                     next->period->key + ": every " + std::to_string(next->period->months) +
                     " months); --force keeps it");
}

std::string detailsText(const DetailsDocument& details) {
    return (details.empty() ? std::string("null") : details.toJson(true)) + "\n";
}

// The details the call leaves in the file: the imported ones or the file's own (none where
// they were damaged), with every --set applied, checked as a whole.
void changeDetails(const ParsedArguments& parsed, InspectionInput& input) {
    const InspectionDetails before = input.details.inspection();
    if (const std::optional<std::string> imported = parsed.value("--import")) {
        input.details = importedDetails(*imported);
    }
    for (const std::string& assignment : parsed.values("--set")) {
        setDetail(input.details, assignment);
    }
    try {
        input.details.checkConsistent();
    } catch (const std::invalid_argument& error) {
        throw UsageError(error.what());
    }
    if (input.details.inspection().conclusion == safeConclusion) {
        const std::string against = reasonAgainstSafe(*input.data, input.details);
        if (!against.empty()) {
            throw UsageError("inspection.conclusion: 'safe' is refused: " + against);
        }
    }
    if (!parsed.has("--force")) {
        checkNextDate(before, input.details.inspection());
        checkBanksHeld(banksGiven(parsed, parsed.has("--import") ? &input.details : nullptr),
                       *input.data);
    }
}

}  // namespace

int runDetails(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << detailsUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{"--force"}, {"--set", "--import", "--export"}});
    const auto& files = parsed.positionals();
    if (files.size() != 1) {
        throw UsageError(files.empty() ? "missing data file"
                                       : "unexpected argument '" + files[1] + "'");
    }
    const std::string& path = files.front();
    const std::optional<std::string> exported = parsed.value("--export");
    if (exported) {
        refuseOutputOverInput(*exported, path);
    }
    const bool changes = parsed.has("--import") || parsed.has("--set");
    // Two programs changing the file at once take turns, so that neither loses the other's
    // change.
    std::optional<FileLock> lock;
    if (changes) {
        lock.emplace(path);
    }
    InspectionInput input = readInspectionFile(path, false);
    if (changes) {
        changeDetails(parsed, input);
        saveDetails(path, input);
        if (!input.detailsProblem.empty()) {
            std::cerr << "kadenza-cli: " << path << ": the damaged details ("
                      << input.detailsProblem << ") are replaced\n";
        }
    } else if (!input.detailsProblem.empty()) {
        throw FileError(path + ": " + input.detailsProblem);
    }
    const std::string text = detailsText(input.details);
    if (exported) {
        writeRawFile(*exported, {text.begin(), text.end()});
        return exitSuccess;
    }
    std::cout << text;
    return exitSuccess;
}

}  // namespace kadenza::cli
