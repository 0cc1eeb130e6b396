#include "archive/Archive.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "archive/ArchiveError.h"
#include "archive/ArchiveLocation.h"
#include "archive/ContentHash.h"
#include "archive/IndexedInspection.h"
#include "archive/PostgresDatabase.h"
#include "archive/PrivateFiles.h"
#include "archive/Schema.h"
#include "archive/SqliteDatabase.h"
#include "archive/Transaction.h"
#include "archive/Trend.h"

namespace kadenza {

namespace {

constexpr const char* summaryColumns =
    "i.id, i.site, i.client, i.operator_name, i.inspector, i.inspection_date, i.next_date, "
    "i.overall";

// Many rows go in one statement: a round trip to a server for each would cost more than the
// rows. 100 rows of 10 values stay far within both engines' limit on parameters.
constexpr std::size_t rowsPerInsert = 100;
constexpr std::size_t itemColumns = 10;

InspectionSummary summaryOf(const SqlRow& row) {
    return {row.integer(0), row.text(1), row.text(2),         row.text(3),
            row.text(4),    row.text(5), row.optionalText(6), row.text(7)};
}

std::vector<InspectionSummary> summariesOf(const std::vector<SqlRow>& rows) {
    std::vector<InspectionSummary> summaries;
    for (const SqlRow& row : rows) {
        summaries.push_back(summaryOf(row));
    }
    return summaries;
}

HistoryPoint pointOf(const SqlRow& row) {
    HistoryPoint point;
    point.date = row.text(0);
    point.inspection = row.integer(1);
    point.symbol = row.text(2);
    point.value = row.real(3);
    point.over = row.integer(4) != 0;
    point.unit = row.text(5);
    point.verdict = row.text(6);
    point.limitMin = row.optionalReal(7);
    point.limitMax = row.optionalReal(8);
    return point;
}

std::string itemsInsert(std::size_t rows) {
    std::string sql =
        "INSERT INTO items (inspection, item_index, circuit, symbol, value, over_range, unit, "
        "verdict, limit_min, limit_max) VALUES ";
    for (std::size_t row = 0; row < rows; ++row) {
        sql += row == 0 ? "(" : ", (";
        for (std::size_t column = 0; column < itemColumns; ++column) {
            sql += (column == 0 ? "$" : ", $") + std::to_string(row * itemColumns + column + 1);
        }
        sql += ")";
    }
    return sql;
}

std::unique_ptr<Database> databaseAt(const std::string& location) {
    if (isPostgresLocation(location)) {
        return std::make_unique<PostgresDatabase>(location);
    }
    makePrivateFolders(std::filesystem::path(location).parent_path());
    makePrivateFile(location);
    return std::make_unique<SqliteDatabase>(location);
}

}  // namespace

std::unique_ptr<Archive> Archive::open(const std::string& location) {
    auto archive = std::make_unique<Archive>(databaseAt(location));
    prepareSchema(*archive->database_);
    return archive;
}

Archive::Archive(std::unique_ptr<Database> database) : database_(std::move(database)) {}

Archive::~Archive() = default;

// Every statement is a round trip to a server: the file goes in with as few as it takes.
AddResult Archive::add(const std::string& fileBytes) {
    const std::string hash = contentHash(fileBytes);
    const IndexedInspection inspection = indexInspection(fileBytes);
    Transaction transaction(*database_);
    const auto inserted = database_->run(
        "INSERT INTO inspections (content_hash, file_bytes, site, client, operator_name, "
        "inspector, inspection_date, next_date, overall) VALUES ($1, $2, $3, $4, $5, $6, $7, $8, "
        "$9) ON CONFLICT (content_hash) DO NOTHING RETURNING id",
        {hash, SqlBytes{fileBytes}, inspection.site, inspection.client, inspection.operatorName,
         inspection.inspector, inspection.date, sqlOptional(inspection.nextDate),
         inspection.overall});
    if (inserted.empty()) {
        return {database_->run("SELECT id FROM inspections WHERE content_hash = $1", {hash})
                    .front()
                    .integer(0),
                false};
    }
    const std::int64_t id = inserted.front().integer(0);
    insertItems(id, inspection.items, circuitIds(inspection));
    // The site's latest inspection: the one with the latest date, the last added among equals.
    database_->run(
        "INSERT INTO sites (site, latest, latest_date) VALUES ($1, $2, $3) ON CONFLICT (site) "
        "DO UPDATE SET latest = excluded.latest, latest_date = excluded.latest_date "
        "WHERE excluded.latest_date >= sites.latest_date",
        {inspection.site, id, inspection.date});
    transaction.commit();
    return {id, true};
}

std::map<std::string, std::int64_t> Archive::circuitIds(const IndexedInspection& inspection) {
    std::map<std::string, std::int64_t> ids;
    for (const SqlRow& row :
         database_->run("SELECT label, id FROM circuits WHERE site = $1", {inspection.site})) {
        ids.emplace(row.text(0), row.integer(1));
    }
    // A circuit that another writer has just made is taken as it is: the update that changes
    // nothing lets RETURNING name it.
    for (const IndexedItem& item : inspection.items) {
        if (ids.count(item.circuit) == 0) {
            ids.emplace(item.circuit,
                        database_
                            ->run("INSERT INTO circuits (site, label) VALUES ($1, $2) ON CONFLICT "
                                  "(site, label) DO UPDATE SET label = excluded.label RETURNING id",
                                  {inspection.site, item.circuit})
                            .front()
                            .integer(0));
        }
    }
    return ids;
}

void Archive::insertItems(std::int64_t inspection, const std::vector<IndexedItem>& items,
                          const std::map<std::string, std::int64_t>& circuits) {
    std::vector<SqlValue> values;
    const auto insertRows = [&] {
        database_->run(itemsInsert(values.size() / itemColumns), values);
        values.clear();
    };
    for (const IndexedItem& item : items) {
        values.insert(values.end(),
                      {inspection, std::int64_t{item.index}, circuits.at(item.circuit), item.symbol,
                       item.value, std::int64_t{item.over}, item.unit, item.verdict,
                       sqlOptional(item.limitMin), sqlOptional(item.limitMax)});
        if (values.size() == rowsPerInsert * itemColumns) {
            insertRows();
        }
    }
    if (!values.empty()) {
        insertRows();
    }
}

std::vector<InspectionSummary> Archive::list(const std::optional<std::string>& site) {
    const std::string order = " ORDER BY inspection_date, id";
    if (site) {
        return summariesOf(database_->run(std::string("SELECT ") + summaryColumns +
                                              " FROM inspections AS i WHERE site = $1" + order,
                                          {*site}));
    }
    return summariesOf(
        database_->run(std::string("SELECT ") + summaryColumns + " FROM inspections AS i" + order));
}

std::vector<InspectionSummary> Archive::due(const std::string& before) {
    return summariesOf(database_->run(
        std::string("SELECT ") + summaryColumns +
            " FROM sites AS s JOIN inspections AS i ON i.id = s.latest "
            "WHERE i.next_date IS NULL OR i.next_date < $1 "
            "ORDER BY CASE WHEN i.next_date IS NULL THEN 0 ELSE 1 END, i.next_date, i.id",
        {before}));
}

std::vector<InspectionSummary> Archive::installations() {
    return summariesOf(database_->run(
        std::string("SELECT ") + summaryColumns +
        " FROM sites AS s JOIN inspections AS i ON i.id = s.latest "
        "ORDER BY CASE WHEN i.next_date IS NULL THEN 0 ELSE 1 END, i.next_date, i.site"));
}

std::vector<RevisionSummary> Archive::revisions(const std::string& site) {
    std::vector<RevisionSummary> revisions;
    std::map<std::int64_t, std::size_t> positions;
    for (const InspectionSummary& inspection : list(site)) {
        positions[inspection.id] = revisions.size();
        revisions.push_back({inspection, 0, 0, 0});
    }
    for (const SqlRow& row : database_->run(
             "SELECT it.inspection, it.verdict, COUNT(*) FROM inspections AS i JOIN items AS it "
             "ON it.inspection = i.id WHERE i.site = $1 GROUP BY it.inspection, it.verdict",
             {site})) {
        RevisionSummary& revision = revisions[positions.at(row.integer(0))];
        const int count = static_cast<int>(row.integer(2));
        const std::string verdict = row.text(1);
        (verdict == "pass"   ? revision.passed
         : verdict == "fail" ? revision.failed
                             : revision.unjudged) += count;
    }
    std::reverse(revisions.begin(), revisions.end());
    return revisions;
}

std::vector<CircuitQuantities> Archive::circuits(const std::string& site) {
    std::vector<CircuitQuantities> circuits;
    for (const SqlRow& row :
         database_->run("SELECT c.id, c.label, it.symbol FROM circuits AS c JOIN items AS it ON "
                        "it.circuit = c.id WHERE c.site = $1 GROUP BY c.id, c.label, it.symbol "
                        "ORDER BY c.id, it.symbol",
                        {site})) {
        if (circuits.empty() || circuits.back().circuit != row.text(1)) {
            circuits.push_back({row.text(1), {}});
        }
        circuits.back().symbols.push_back(row.text(2));
    }
    return circuits;
}

std::vector<HistoryPoint> Archive::history(const std::string& site, const std::string& circuit,
                                           const std::optional<std::string>& symbol) {
    std::string sql =
        "SELECT i.inspection_date, i.id, it.symbol, it.value, it.over_range, it.unit, "
        "it.verdict, it.limit_min, it.limit_max FROM circuits AS c JOIN items AS it ON "
        "it.circuit = c.id JOIN inspections AS i ON i.id = it.inspection WHERE c.site = $1 AND "
        "c.label = $2";
    std::vector<SqlValue> parameters{site, circuit};
    if (symbol) {
        sql += " AND it.symbol = $3";
        parameters.push_back(*symbol);
    }
    sql += " ORDER BY i.inspection_date, i.id, it.item_index";
    std::vector<HistoryPoint> points;
    for (const SqlRow& row : database_->run(sql, parameters)) {
        points.push_back(pointOf(row));
    }
    markTrends(points);
    return points;
}

std::string Archive::fileBytes(std::int64_t id) {
    const auto rows = database_->run("SELECT file_bytes FROM inspections WHERE id = $1", {id});
    if (rows.empty()) {
        throw ArchiveError(ArchiveProblem::notFound,
                           "No inspection " + std::to_string(id) + " in the archive");
    }
    return rows.front().bytes(0);
}

}  // namespace kadenza
