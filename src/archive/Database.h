#pragma once

#include <string>
#include <vector>

#include "archive/SqlValue.h"

namespace kadenza {

// The column types the engines spell differently; every other part of a statement is written
// alike for both.
struct SqlDialect {
    // A whole-number key the engine counts up for each new row.
    const char* generatedKey;
    const char* bytesType;
};

// One connection to the engine that keeps an archive: an SQLite file or a PostgreSQL
// database. Statements take their parameters as $1, $2, … Failures throw ArchiveError.
class Database {
  public:
    virtual ~Database() = default;

    virtual const SqlDialect& dialect() const = 0;
    // The archive as messages name it: the file's path, or the database and its server (never
    // a password).
    virtual std::string name() const = 0;
    // The tables the database holds, where the archive's would be.
    virtual std::vector<std::string> tableNames() = 0;

    // Starts a transaction that writes rows. Such writers run side by side where the engine
    // lets them, each waiting only for rows another is writing under the same unique key.
    virtual void begin() = 0;
    // Starts a transaction that creates or changes the tables: it waits for every other one
    // that does.
    virtual void beginExclusive() = 0;
    virtual void commit() = 0;
    // Drops what the transaction wrote; a connection that is gone drops it by itself.
    virtual void rollback() noexcept = 0;

    // Runs one statement and returns the rows it yields. Outside a transaction it stands alone.
    virtual std::vector<SqlRow> run(const std::string& sql,
                                    const std::vector<SqlValue>& parameters = {}) = 0;
};

}  // namespace kadenza
