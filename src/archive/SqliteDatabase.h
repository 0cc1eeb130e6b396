#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>
#include <unordered_map>

#include "archive/Database.h"

namespace kadenza {

// An archive in one SQLite file. A new file is kept with a write-ahead log, so that a commit
// costs one flush to the disk and readers never wait for a writer.
class SqliteDatabase : public Database {
  public:
    // Opens the file, creating it when missing, or only to read it when this user may not write
    // it. Throws ArchiveError when it cannot.
    explicit SqliteDatabase(const std::string& path);

    const SqlDialect& dialect() const override;
    std::string name() const override;
    std::vector<std::string> tableNames() override;
    void begin() override;
    void beginExclusive() override;
    void commit() override;
    void rollback() noexcept override;
    std::vector<SqlRow> run(const std::string& sql,
                            const std::vector<SqlValue>& parameters = {}) override;

  private:
    struct CloseConnection {
        void operator()(sqlite3* connection) const { sqlite3_close_v2(connection); }
    };
    struct FinalizeStatement {
        void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
    };
    using Statement = std::unique_ptr<sqlite3_stmt, FinalizeStatement>;

    void open();
    void useWriteAheadLog();
    sqlite3_stmt* prepared(const std::string& sql);
    void bind(sqlite3_stmt* statement, const std::vector<SqlValue>& parameters);
    // Throws the ArchiveError that the engine's result code stands for.
    [[noreturn]] void fail(int code) const;

    std::string path_;
    bool readOnly_ = false;
    // Declared first so that it is closed after the statements are finalized.
    std::unique_ptr<sqlite3, CloseConnection> connection_;
    std::unordered_map<std::string, Statement> statements_;
};

}  // namespace kadenza
