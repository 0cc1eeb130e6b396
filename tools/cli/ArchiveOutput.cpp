#include "cli/ArchiveOutput.h"

#include <algorithm>
#include <string>

#include <nlohmann/json.hpp>

#include "inspection/Limit.h"
#include "inspection/Verdict.h"
#include "language/Language.h"
#include "model/NumberText.h"

namespace kadenza::cli {

namespace {

using nlohmann::ordered_json;

constexpr int noNextDateRow = 506;

// Characters, not bytes: sites, units and symbols hold letters beyond ASCII.
std::size_t displayWidth(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

using Row = std::vector<std::string>;

// Every column but the last padded to its widest cell, two blanks apart.
void writeColumns(std::ostream& out, const std::vector<Row>& rows) {
    std::vector<std::size_t> widths;
    for (const Row& row : rows) {
        widths.resize(std::max(widths.size(), row.size()));
        for (std::size_t column = 0; column < row.size(); ++column) {
            widths[column] = std::max(widths[column], displayWidth(row[column]));
        }
    }
    for (const Row& row : rows) {
        std::string line;
        for (std::size_t column = 0; column < row.size(); ++column) {
            line += row[column];
            if (column + 1 < row.size()) {
                line += std::string(widths[column] - displayWidth(row[column]) + 2, ' ');
            }
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

// The archive keeps the names evaluate's JSON writes; a table shows the words of the user's
// language.
std::string overallShown(const std::string& name) {
    for (const Overall overall : {Overall::pass, Overall::fail, Overall::incomplete}) {
        if (name == overallName(overall)) {
            return overallWord(overall);
        }
    }
    return overallWord(Overall::none);
}

std::string verdictShown(const std::string& name) {
    for (const VerdictKind kind : {VerdictKind::pass, VerdictKind::fail}) {
        if (name == verdictName(kind)) {
            return verdictWord(kind);
        }
    }
    return verdictWord(VerdictKind::none);
}

ordered_json numberOrNull(const std::optional<double>& number) {
    return number ? ordered_json(*number) : ordered_json(nullptr);
}

// The archive keeps a limit's ends in the base unit only; they are shown in the largest unit
// of the verdicts that leaves the larger end at least 1 ("≥ 1 MΩ", "≤ 300 ms"), as a verdict
// shows them; else in the base unit.
DisplayUnit limitUnit(const HistoryPoint& point) {
    const double largest = std::max(point.limitMin.value_or(0), point.limitMax.value_or(0));
    for (const DisplayUnit& unit : {megohms, ohms, milliseconds, milliamperes, volts}) {
        if (point.unit == unit.baseSymbol && largest >= unit.scale) {
            return unit;
        }
    }
    return {1, point.unit.c_str(), point.unit.c_str()};
}

ordered_json limitJson(const HistoryPoint& point) {
    if (!point.limitMin && !point.limitMax) {
        return nullptr;
    }
    return limitText(Limit{point.limitMin, point.limitMax, limitUnit(point)});
}

ordered_json dateOrNull(const std::string& date) {
    return date.empty() ? ordered_json(nullptr) : ordered_json(date);
}

void writeJson(std::ostream& out, const ordered_json& document) {
    out << document.dump(2, ' ', false, ordered_json::error_handler_t::replace) << '\n';
}

std::vector<Row> summaryRows(const std::vector<InspectionSummary>& summaries,
                             const std::string& noNextDate) {
    std::vector<Row> rows;
    for (const InspectionSummary& summary : summaries) {
        rows.push_back({std::to_string(summary.id), summary.date.empty() ? "-" : summary.date,
                        summary.nextDate.value_or(noNextDate), overallShown(summary.overall),
                        summary.site, summary.client});
    }
    return rows;
}

ordered_json summaryJson(const InspectionSummary& summary) {
    return {{"id", summary.id},
            {"site", summary.site},
            {"client", summary.client},
            {"date", dateOrNull(summary.date)},
            {"nextDate", dateOrNull(summary.nextDate.value_or(""))},
            {"overall", summary.overall}};
}

}  // namespace

void writeSummaryTable(std::ostream& out, const std::vector<InspectionSummary>& summaries) {
    writeColumns(out, summaryRows(summaries, "-"));
}

void writeSummaryJson(std::ostream& out, const std::vector<InspectionSummary>& summaries) {
    ordered_json array = ordered_json::array();
    for (const InspectionSummary& summary : summaries) {
        array.push_back(summaryJson(summary));
    }
    writeJson(out, array);
}

void writeDueTable(std::ostream& out, const std::vector<InspectionSummary>& summaries) {
    writeColumns(out, summaryRows(summaries, RowText(noNextDateRow)));
}

void writeDueJson(std::ostream& out, const std::vector<InspectionSummary>& summaries) {
    ordered_json array = ordered_json::array();
    for (const InspectionSummary& summary : summaries) {
        ordered_json entry = summaryJson(summary);
        entry["noNextDate"] = !summary.nextDate.has_value();
        array.push_back(std::move(entry));
    }
    writeJson(out, array);
}

void writeHistoryTable(std::ostream& out, const std::vector<HistoryPoint>& points) {
    std::vector<Row> rows;
    for (const HistoryPoint& point : points) {
        const std::string value =
            (point.over ? ">" : "") + realText(point.value) + " " + point.unit;
        rows.push_back({point.date.empty() ? "-" : point.date, std::to_string(point.inspection),
                        point.symbol, value, verdictShown(point.verdict),
                        point.trend ? "trend" : ""});
    }
    writeColumns(out, rows);
}

void writeHistoryJson(std::ostream& out, const std::vector<HistoryPoint>& points) {
    ordered_json array = ordered_json::array();
    for (const HistoryPoint& point : points) {
        array.push_back({{"date", dateOrNull(point.date)},
                         {"id", point.inspection},
                         {"symbol", point.symbol},
                         {"value", point.value},
                         {"unit", point.unit},
                         {"verdict", point.verdict},
                         {"over", point.over},
                         {"limit", limitJson(point)},
                         {"limitMin", numberOrNull(point.limitMin)},
                         {"limitMax", numberOrNull(point.limitMax)},
                         {"trend", point.trend}});
    }
    writeJson(out, array);
}

void writeSitesTable(std::ostream& out, const std::vector<InspectionSummary>& installations) {
    std::vector<Row> rows;
    for (const InspectionSummary& installation : installations) {
        rows.push_back({installation.site, installation.client.empty() ? "-" : installation.client,
                        installation.date.empty() ? "-" : installation.date});
    }
    writeColumns(out, rows);
}

void writeSitesJson(std::ostream& out, const std::vector<InspectionSummary>& installations) {
    ordered_json array = ordered_json::array();
    for (const InspectionSummary& installation : installations) {
        array.push_back({{"site", installation.site},
                         {"client", installation.client},
                         {"latestDate", dateOrNull(installation.date)}});
    }
    writeJson(out, array);
}

void writeCircuitsTable(std::ostream& out, const std::vector<CircuitQuantities>& circuits) {
    std::vector<Row> rows;
    for (const CircuitQuantities& circuit : circuits) {
        std::string symbols;
        for (const std::string& symbol : circuit.symbols) {
            symbols += (symbols.empty() ? "" : " ") + symbol;
        }
        rows.push_back({circuit.circuit, symbols});
    }
    writeColumns(out, rows);
}

void writeCircuitsJson(std::ostream& out, const std::vector<CircuitQuantities>& circuits) {
    ordered_json array = ordered_json::array();
    for (const CircuitQuantities& circuit : circuits) {
        array.push_back({{"circuit", circuit.circuit}, {"symbols", circuit.symbols}});
    }
    writeJson(out, array);
}

}  // namespace kadenza::cli
