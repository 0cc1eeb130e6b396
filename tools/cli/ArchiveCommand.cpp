#include "cli/ArchiveCommand.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <ctime>
#include <iostream>
#include <set>
#include <stdexcept>

#include "archive/Archive.h"
#include "archive/ArchiveError.h"
#include "archive/ArchiveLocation.h"
#include "cli/ArchiveLookup.h"
#include "cli/ArchiveOutput.h"
#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/LanguageChoice.h"
#include "cli/OutputTarget.h"
#include "cli/RawFiles.h"
#include "cli/ReportCommand.h"
#include "cli/Usage.h"
#include "inspection/CalendarDate.h"
#include "model/NativeFile.h"

namespace kadenza::cli {

namespace {

// What one archive command was given: its options, the arguments after its name, and the
// archive it works on.
struct ArchiveCall {
    const ParsedArguments& parsed;
    std::vector<std::string> operands;
    std::string location;
};

using Action = int (*)(const ArchiveCall& call);

struct Subcommand {
    const char* name;
    // The options it takes besides --archive.
    std::set<std::string> options;
    Action run;
};

const std::set<std::string> allOptions = {"--archive", "--site",    "--client", "--format",
                                          "--before",  "--circuit", "--symbol", "--lang"};

int exitCodeOf(ArchiveProblem problem) {
    return problem == ArchiveProblem::unreachable ? exitArchiveUnreachable : exitFileFailure;
}

std::string formatOf(const ParsedArguments& parsed) {
    const std::string format = parsed.value("--format").value_or("table");
    if (format != "table" && format != "json") {
        throw UsageError("invalid format '" + format + "': expected table or json");
    }
    return format;
}

void expectOperands(const ArchiveCall& call, const std::vector<const char*>& names) {
    if (call.operands.size() < names.size()) {
        throw UsageError(std::string("missing ") + names[call.operands.size()]);
    }
    if (call.operands.size() > names.size()) {
        throw UsageError("unexpected argument '" + call.operands[names.size()] + "'");
    }
}

std::int64_t idOf(const std::string& text) {
    std::int64_t id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    if (error != std::errc() || stop != end || id < 1) {
        throw UsageError("invalid inspection id '" + text + "': expected a number from 1");
    }
    return id;
}

std::string today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return isoText({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
}

// One file into the archive: its id on stdout, or why it stays out on stderr. Only a file's
// own problem is reported here; the archive's end the command.
bool addFile(Archive& archive, const std::string& path) {
    std::string bytes;
    try {
        bytes = nativeFileBytes(path);
    } catch (const std::runtime_error& error) {
        std::cerr << "kadenza-cli: " << error.what() << '\n';
        return false;
    }
    try {
        const AddResult result = archive.add(bytes);
        std::cout << result.id << std::endl;
        if (!result.added) {
            std::cerr << "kadenza-cli: " << path << " is in the archive already, as " << result.id
                      << '\n';
        }
        return true;
    } catch (const ArchiveError& error) {
        if (error.problem() != ArchiveProblem::refused) {
            throw;
        }
        std::cerr << "kadenza-cli: " << path << " is not archived: " << error.what() << '\n';
        return false;
    }
}

int add(const ArchiveCall& call) {
    if (call.operands.empty()) {
        throw UsageError("missing data file");
    }
    const auto archive = Archive::open(call.location);
    bool allAdded = true;
    for (const std::string& path : call.operands) {
        allAdded = addFile(*archive, path) && allAdded;
    }
    return allAdded ? exitSuccess : exitFileFailure;
}

void printSummaries(const std::string& format, const std::vector<InspectionSummary>& summaries) {
    if (format == "json") {
        writeSummaryJson(std::cout, summaries);
    } else {
        writeSummaryTable(std::cout, summaries);
    }
}

bool namesOrAbsent(const std::optional<std::string>& given, const std::string& text) {
    return !given || namesText(*given, text);
}

int list(const ArchiveCall& call) {
    expectOperands(call, {});
    const std::string format = formatOf(call.parsed);
    const auto site = call.parsed.value("--site");
    const auto client = call.parsed.value("--client");
    const auto archive = Archive::open(call.location);
    if (site) {
        siteNamed(*archive, *site);
    }
    std::vector<InspectionSummary> summaries = archive->list();
    summaries.erase(std::remove_if(summaries.begin(), summaries.end(),
                                   [&](const InspectionSummary& summary) {
                                       return !namesOrAbsent(site, summary.site) ||
                                              !namesOrAbsent(client, summary.client);
                                   }),
                    summaries.end());
    printSummaries(format, summaries);
    return exitSuccess;
}

int due(const ArchiveCall& call) {
    expectOperands(call, {});
    const std::string format = formatOf(call.parsed);
    const std::string before = call.parsed.value("--before").value_or(today());
    if (!readIsoDate(before)) {
        throw UsageError("invalid date '" + before + "': expected YYYY-MM-DD");
    }
    const auto summaries = Archive::open(call.location)->due(before);
    if (format == "json") {
        writeDueJson(std::cout, summaries);
    } else {
        writeDueTable(std::cout, summaries);
    }
    return exitSuccess;
}

int history(const ArchiveCall& call) {
    expectOperands(call, {});
    const std::string format = formatOf(call.parsed);
    const std::string given = call.parsed.required("--site");
    const std::string circuit = call.parsed.required("--circuit");
    const auto archive = Archive::open(call.location);
    const std::string site = siteNamed(*archive, given);
    expectCircuit(*archive, site, circuit);
    const auto points = archive->history(site, circuit, call.parsed.value("--symbol"));
    if (format == "json") {
        writeHistoryJson(std::cout, points);
    } else {
        writeHistoryTable(std::cout, points);
    }
    return exitSuccess;
}

int sites(const ArchiveCall& call) {
    expectOperands(call, {});
    const std::string format = formatOf(call.parsed);
    const auto installations = Archive::open(call.location)->installations();
    if (format == "json") {
        writeSitesJson(std::cout, installations);
    } else {
        writeSitesTable(std::cout, installations);
    }
    return exitSuccess;
}

int circuits(const ArchiveCall& call) {
    expectOperands(call, {});
    const std::string format = formatOf(call.parsed);
    const std::string given = call.parsed.required("--site");
    const auto archive = Archive::open(call.location);
    const auto circuits = archive->circuits(siteNamed(*archive, given));
    if (format == "json") {
        writeCircuitsJson(std::cout, circuits);
    } else {
        writeCircuitsTable(std::cout, circuits);
    }
    return exitSuccess;
}

// The inspection's file as it was added, after the output is known not to replace the
// archive's own file.
std::string keptBytes(const ArchiveCall& call) {
    const std::int64_t id = idOf(call.operands[0]);
    if (!isPostgresLocation(call.location)) {
        refuseOutputOverInput(call.operands[1], call.location);
    }
    return Archive::open(call.location)->fileBytes(id);
}

int exportFile(const ArchiveCall& call) {
    expectOperands(call, {"inspection id", "output file"});
    const std::string bytes = keptBytes(call);
    writeRawFile(call.operands[1], {bytes.begin(), bytes.end()});
    return exitSuccess;
}

int report(const ArchiveCall& call) {
    expectOperands(call, {"inspection id", "output file"});
    const std::string bytes = keptBytes(call);
    writeInspectionReport(readInspectionBytes(bytes, "inspection " + call.operands[0]),
                          call.operands[1]);
    return exitSuccess;
}

const Subcommand subcommands[] = {
    {"add", {}, add},
    {"list", {"--site", "--client", "--format"}, list},
    {"due", {"--before", "--format"}, due},
    {"history", {"--site", "--circuit", "--symbol", "--format"}, history},
    {"sites", {"--format"}, sites},
    {"circuits", {"--site", "--format"}, circuits},
    {"export", {}, exportFile},
    {"report", {"--lang"}, report},
};

const Subcommand& subcommandOf(const ParsedArguments& parsed) {
    if (parsed.positionals().empty()) {
        throw UsageError(
            "missing archive command: add, list, due, history, sites, circuits, export or report");
    }
    const std::string& name = parsed.positionals().front();
    for (const Subcommand& subcommand : subcommands) {
        if (name == subcommand.name) {
            for (const std::string& option : allOptions) {
                if (option != "--archive" && parsed.has(option) &&
                    subcommand.options.count(option) == 0) {
                    throw UsageError("option " + option + " does not go with archive " + name);
                }
            }
            return subcommand;
        }
    }
    throw UsageError("unknown archive command '" + name + "' (see kadenza-cli archive --help)");
}

std::string locationOf(const ParsedArguments& parsed) {
    const auto given = parsed.value("--archive");
    if (given && given->empty()) {
        throw UsageError("option --archive needs a path or a postgresql:// URI");
    }
    return given.value_or(defaultArchiveLocation());
}

}  // namespace

int runArchive(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << archiveUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{}, allOptions});
    const Subcommand& subcommand = subcommandOf(parsed);
    applyLanguage(parsed);
    const ArchiveCall call{
        parsed, {parsed.positionals().begin() + 1, parsed.positionals().end()}, locationOf(parsed)};
    try {
        return subcommand.run(call);
    } catch (const ArchiveError& error) {
        throw CliError(exitCodeOf(error.problem()), error.what());
    }
}

}  // namespace kadenza::cli
