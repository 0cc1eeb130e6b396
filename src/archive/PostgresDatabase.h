#pragma once

#include <memory>
#include <string>
#include <unordered_map>

#include <pqxx/connection>
#include <pqxx/transaction>

#include "archive/Database.h"

namespace kadenza {

// An archive in a PostgreSQL database that a team shares, reached by a libpq connection URI
// (postgresql://user@host/database).
class PostgresDatabase : public Database {
  public:
    // Connects, giving up after the URI's connect_timeout (or PGCONNECT_TIMEOUT), else after
    // defaultConnectTimeoutSeconds. Throws ArchiveError when it cannot.
    explicit PostgresDatabase(const std::string& uri);
    ~PostgresDatabase() override;

    static constexpr int defaultConnectTimeoutSeconds = 5;

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
    // The name of the statement prepared for this text.
    const std::string& prepared(const std::string& sql);

    // As libpq was given it, to take its secrets out of every message.
    std::string uri_;
    std::unique_ptr<pqxx::connection> connection_;
    std::unique_ptr<pqxx::work> transaction_;
    std::unordered_map<std::string, std::string> statementNames_;
};

}  // namespace kadenza
