#include "archive/Schema.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "archive/ArchiveError.h"
#include "archive/IndexedInspection.h"
#include "archive/Transaction.h"

namespace kadenza {

namespace {

constexpr const char* versionTable = "archive_version";

void createTables(Database& database) {
    const SqlDialect& dialect = database.dialect();
    const std::string statements[] = {
        "CREATE TABLE archive_version (version INTEGER NOT NULL)",
        "INSERT INTO archive_version (version) VALUES (1)",
        // The file's bytes are kept whole; the other columns index them. Dates are ISO text,
        // which sorts as the calendar does; an inspection without a date has an empty one.
        std::string("CREATE TABLE inspections (id ") + dialect.generatedKey +
            ", content_hash TEXT NOT NULL UNIQUE, file_bytes " + dialect.bytesType +
            " NOT NULL, site TEXT NOT NULL, client TEXT NOT NULL, operator_name TEXT NOT NULL, "
            "inspector TEXT NOT NULL, inspection_date TEXT NOT NULL, next_date TEXT, "
            "overall TEXT NOT NULL)",
        "CREATE INDEX inspections_by_site ON inspections (site, inspection_date)",
        std::string("CREATE TABLE circuits (id ") + dialect.generatedKey +
            ", site TEXT NOT NULL, label TEXT NOT NULL, UNIQUE (site, label))",
        "CREATE TABLE items (inspection BIGINT NOT NULL REFERENCES inspections (id), "
        "item_index INTEGER NOT NULL, circuit BIGINT NOT NULL REFERENCES circuits (id), "
        "symbol TEXT NOT NULL, value DOUBLE PRECISION NOT NULL, over_range INTEGER NOT NULL, "
        "unit TEXT NOT NULL, verdict TEXT NOT NULL, PRIMARY KEY (inspection, item_index))",
        "CREATE INDEX items_by_circuit ON items (circuit, symbol)",
    };
    for (const std::string& statement : statements) {
        database.run(statement);
    }
}

// The limits were judged when each file was added; the kept bytes give them again.
void addLimits(Database& database) {
    database.run("ALTER TABLE items ADD COLUMN limit_min DOUBLE PRECISION");
    database.run("ALTER TABLE items ADD COLUMN limit_max DOUBLE PRECISION");
    for (const SqlRow& row : database.run("SELECT id, file_bytes FROM inspections")) {
        std::vector<IndexedItem> items;
        try {
            items = indexInspection(row.bytes(1)).items;
        } catch (const ArchiveError&) {
            // A file this program would no longer take keeps its values without limits rather
            // than holding the whole archive back.
            continue;
        }
        for (const IndexedItem& item : items) {
            database.run(
                "UPDATE items SET limit_min = $1, limit_max = $2 "
                "WHERE inspection = $3 AND item_index = $4",
                {sqlOptional(item.limitMin), sqlOptional(item.limitMax), row.integer(0),
                 std::int64_t{item.index}});
        }
    }
}

// Each site's latest inspection, kept as files are added, so that what is due is read from
// one row a site instead of being sought among all the inspections.
void addSites(Database& database) {
    database.run(
        "CREATE TABLE sites (site TEXT PRIMARY KEY, latest BIGINT NOT NULL REFERENCES "
        "inspections (id), latest_date TEXT NOT NULL)");
    database.run(
        "INSERT INTO sites (site, latest, latest_date) SELECT i.site, MAX(i.id), "
        "i.inspection_date FROM inspections AS i JOIN (SELECT site, MAX(inspection_date) AS "
        "latest_date FROM inspections GROUP BY site) AS l ON i.site = l.site AND "
        "i.inspection_date = l.latest_date GROUP BY i.site, i.inspection_date");
}

struct Migration {
    int version;
    void (*apply)(Database&);
};

constexpr Migration migrations[] = {{1, createTables}, {2, addLimits}, {3, addSites}};

// The archive's version; 0 for a database that holds no tables at all.
int versionOf(Database& database) {
    const std::vector<std::string> tables = database.tableNames();
    if (std::find(tables.begin(), tables.end(), versionTable) != tables.end()) {
        return static_cast<int>(
            database.run("SELECT version FROM archive_version").front().integer(0));
    }
    if (tables.empty()) {
        return 0;
    }
    throw ArchiveError(
        ArchiveProblem::notAnArchive,
        database.name() + " is not an archive of inspections: it holds other tables");
}

void refuseNewer(Database& database, int version) {
    if (version > archiveSchemaVersion) {
        throw ArchiveError(ArchiveProblem::tooNew,
                           "The archive " + database.name() +
                               " was written by a newer Kadenza (its version " +
                               std::to_string(version) + ", this one knows up to " +
                               std::to_string(archiveSchemaVersion) + "); it is left as it is");
    }
}

}  // namespace

void prepareSchema(Database& database) {
    int version = versionOf(database);
    refuseNewer(database, version);
    if (version == archiveSchemaVersion) {
        return;
    }
    // Another program may have created or migrated the archive while this one waited.
    Transaction transaction(database, Transaction::Kind::tables);
    version = versionOf(database);
    refuseNewer(database, version);
    for (const Migration& migration : migrations) {
        if (migration.version > version) {
            migration.apply(database);
        }
    }
    database.run("UPDATE archive_version SET version = $1", {std::int64_t{archiveSchemaVersion}});
    transaction.commit();
}

}  // namespace kadenza
