#include "archive/Archive.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "archive/ArchiveError.h"
#include "archive/ArchiveLocation.h"
#include "archive/ContentHash.h"
#include "archive/IndexedInspection.h"
#include "archive/PostgresDatabase.h"
#include "archive/Schema.h"
#include "archive/SqliteDatabase.h"
#include "archive/Transaction.h"
#include "archive/Trend.h"

namespace kadenza {

namespace {

constexpr const char* summaryColumns =
    "id, site, client, operator_name, inspector, inspection_date, next_date, overall";

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
    const std::filesystem::path folder = std::filesystem::path(location).parent_path();
    std::error_code ignored;
    // A folder that cannot be made shows as a file that cannot be opened.
    std::filesystem::create_directories(folder.empty() ? "." : folder, ignored);
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

AddResult Archive::add(const std::string& fileBytes) {
    const std::string hash = contentHash(fileBytes);
    const IndexedInspection inspection = indexInspection(fileBytes);
    Transaction transaction(*database_);
    const auto existing =
        database_->run("SELECT id FROM inspections WHERE content_hash = $1", {hash});
    if (!existing.empty()) {
        return {existing.front().integer(0), false};
    }
    const std::int64_t id =
        database_
            ->run(
                "INSERT INTO inspections (content_hash, file_bytes, site, client, "
                "operator_name, inspector, inspection_date, next_date, overall) "
                "VALUES ($1, $2, $3, $4, $5, $6, $7, $8, $9) RETURNING id",
                {hash, SqlBytes{fileBytes}, inspection.site, inspection.client,
                 inspection.operatorName, inspection.inspector, inspection.date,
                 sqlOptional(inspection.nextDate), inspection.overall})
            .front()
            .integer(0);
    std::map<std::string, std::int64_t> circuits;
    std::vector<SqlValue> values;
    const auto insertRows = [&] {
        database_->run(itemsInsert(values.size() / itemColumns), values);
        values.clear();
    };
    for (const IndexedItem& item : inspection.items) {
        auto circuit = circuits.find(item.circuit);
        if (circuit == circuits.end()) {
            circuit =
                circuits.emplace(item.circuit, circuitId(inspection.site, item.circuit)).first;
        }
        values.insert(values.end(), {id, std::int64_t{item.index}, circuit->second, item.symbol,
                                     item.value, std::int64_t{item.over}, item.unit, item.verdict,
                                     sqlOptional(item.limitMin), sqlOptional(item.limitMax)});
        if (values.size() == rowsPerInsert * itemColumns) {
            insertRows();
        }
    }
    if (!values.empty()) {
        insertRows();
    }
    transaction.commit();
    return {id, true};
}

std::int64_t Archive::circuitId(const std::string& site, const std::string& label) {
    const auto found =
        database_->run("SELECT id FROM circuits WHERE site = $1 AND label = $2", {site, label});
    if (!found.empty()) {
        return found.front().integer(0);
    }
    return database_
        ->run("INSERT INTO circuits (site, label) VALUES ($1, $2) RETURNING id", {site, label})
        .front()
        .integer(0);
}

std::vector<InspectionSummary> Archive::list(const std::optional<std::string>& site) {
    const std::string order = " ORDER BY inspection_date, id";
    if (site) {
        return summariesOf(database_->run(
            std::string("SELECT ") + summaryColumns + " FROM inspections WHERE site = $1" + order,
            {*site}));
    }
    return summariesOf(
        database_->run(std::string("SELECT ") + summaryColumns + " FROM inspections" + order));
}

// A site's latest inspection is the one no other of the site follows: none with a later date,
// nor with the same date and added later.
std::vector<InspectionSummary> Archive::due(const std::string& before) {
    return summariesOf(database_->run(
        std::string("SELECT ") + summaryColumns +
            " FROM inspections AS i WHERE next_date < $1 AND NOT EXISTS (SELECT 1 FROM "
            "inspections AS later WHERE later.site = i.site AND (later.inspection_date > "
            "i.inspection_date OR (later.inspection_date = i.inspection_date AND later.id > "
            "i.id))) ORDER BY next_date, id",
        {before}));
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
