#pragma once

#include <ostream>
#include <vector>

#include "archive/ArchiveRecords.h"

namespace kadenza::cli {

// What `archive list` and `archive due` print: one inspection a line (id, date, next date,
// overall verdict, site, client) in aligned columns, or a JSON array of
// {"id", "site", "client", "date", "nextDate", "overall"}.
void writeSummaryTable(std::ostream& out, const std::vector<InspectionSummary>& summaries);
void writeSummaryJson(std::ostream& out, const std::vector<InspectionSummary>& summaries);

// What `archive due` prints: as list does, with "no next date" in the next date's column of an
// installation that has none, and "noNextDate" (true or false) in each JSON object.
void writeDueTable(std::ostream& out, const std::vector<InspectionSummary>& summaries);
void writeDueJson(std::ostream& out, const std::vector<InspectionSummary>& summaries);

// What `archive history` prints: one value a line (date, inspection id, symbol, value with
// its unit, verdict) with "trend" after a value that moved toward its limit, or a JSON array
// of {"date", "id", "symbol", "value", "unit", "verdict", "over", "limit", "limitMin",
// "limitMax", "trend"}: "over" for a value beyond the instrument's range (">" in the table),
// the limit as a verdict shows it and its ends in the base unit (null without them), "trend" as the
// table marks it.
void writeHistoryTable(std::ostream& out, const std::vector<HistoryPoint>& points);
void writeHistoryJson(std::ostream& out, const std::vector<HistoryPoint>& points);

// What `archive sites` prints: one installation a line (site, client, date of its latest
// inspection) in the order the archive window lists them, or a JSON array of
// {"site", "client", "latestDate"}.
void writeSitesTable(std::ostream& out, const std::vector<InspectionSummary>& installations);
void writeSitesJson(std::ostream& out, const std::vector<InspectionSummary>& installations);

// What `archive circuits` prints: one circuit a line with its symbols after it, in the order
// they were first archived, or a JSON array of {"circuit", "symbols": [...]}.
void writeCircuitsTable(std::ostream& out, const std::vector<CircuitQuantities>& circuits);
void writeCircuitsJson(std::ostream& out, const std::vector<CircuitQuantities>& circuits);

}  // namespace kadenza::cli
