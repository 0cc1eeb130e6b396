#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "archive/Archive.h"
#include "archive/Database.h"
#include "archive/PostgresDatabase.h"
#include "archive/SqliteDatabase.h"
#include "support/PostgresServer.h"
#include "support/TempDir.h"

namespace kadenza::test {

enum class Engine { sqlite, postgresql };

// Runs a test on each engine: a new SQLite file in a temporary folder, and a new database on
// the PostgreSQL server this test program shares (skipped where PostgreSQL is not installed).
class EngineTest : public ::testing::TestWithParam<Engine> {
  protected:
    void SetUp() override {
        if (GetParam() == Engine::sqlite) {
            location_ = dir_.path("archive.sqlite");
            return;
        }
        PostgresServer* server = sharedPostgresServer();
        if (server == nullptr) {
            GTEST_SKIP() << "PostgreSQL's programs are not installed";
        }
        location_ = server->createDatabase();
    }

    std::unique_ptr<Archive> open() const { return Archive::open(location_); }

    // A connection of the engine's own, for what a test does by hand.
    std::unique_ptr<Database> connect() const {
        if (GetParam() == Engine::sqlite) {
            return std::make_unique<SqliteDatabase>(location_);
        }
        return std::make_unique<PostgresDatabase>(location_);
    }

    TempDir dir_;
    std::string location_;
};

inline const auto bothEngines = ::testing::Values(Engine::sqlite, Engine::postgresql);

inline std::string engineName(const ::testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::sqlite ? "SQLite" : "PostgreSQL";
}

}  // namespace kadenza::test
