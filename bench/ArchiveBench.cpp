#include <benchmark/benchmark.h>
#include <sys/mman.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "archive/Archive.h"
#include "archive/PostgresDatabase.h"
#include "archive/Schema.h"
#include "archive/SqliteDatabase.h"
#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "model/OutputFile.h"
#include "support/PostgresServer.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

// An archive of 20 000 inspections of 100 items each (2 M items) on SQLite and on PostgreSQL,
// side by side: adding one file, the due list, one circuit's history, and the room an item
// takes. 2000 sites were inspected yearly from 2015 to 2024, each with five circuits of 20
// values; a site's next inspection falls one to five years after its last.

namespace {

using kadenza::Archive;

constexpr int siteCount = 2000;
constexpr int inspectionsPerSite = 10;
constexpr int circuitsPerInspection = 5;
constexpr int itemsPerCircuit = 20;
constexpr int itemCount = siteCount * inspectionsPerSite * circuitsPerInspection * itemsPerCircuit;
constexpr int spareFiles = 200;
constexpr int firstYear = 2015;

// Loop impedance, insulation resistance, protective conductor, line voltage.
constexpr int quantityCodes[] = {3, 15, 7, 1};

enum Engine { sqlite, postgresql };

// The bytes a data file would hold, written into memory: a file on the disk would cost the
// build a flush for each of its 20 000 files.
std::string fileBytes(const kadenza::InstrumentData& data,
                      const kadenza::DetailsDocument& details) {
    const int descriptor = memfd_create("inspection.tso", 0);
    {
        kadenza::OutputFile file(descriptor, "inspection.tso");
        kadenza::saveInspectionFileTo(file, data, details);
        file.commit();
    }
    std::string bytes(static_cast<std::size_t>(lseek(descriptor, 0, SEEK_END)), '\0');
    const bool read =
        pread(descriptor, bytes.data(), bytes.size(), 0) == static_cast<ssize_t>(bytes.size());
    close(descriptor);
    if (!read) {
        throw std::runtime_error("cannot read a data file back from memory");
    }
    return bytes;
}

// The data file of a site's inspection in one year; `variant` makes a file of the same
// inspection that is not the same bytes.
std::string inspectionFile(int site, int year, int variant = 0) {
    kadenza::test::DataBuilder builder;
    kadenza::DetailsDocument details;
    const std::string date = std::to_string(year) + "-03-01";
    details.set("inspection.site", "Site " + std::to_string(site));
    details.set("inspection.client", "Client " + std::to_string(site % 97));
    details.set("inspection.date", date);
    details.set("inspection.nextDate", std::to_string(year + 1 + site % 5) + "-03-01");
    for (int circuit = 1; circuit <= circuitsPerInspection; ++circuit) {
        builder.bank(circuit);
        const std::string bank = "bank." + std::to_string(circuit) + ".";
        details.set(bank + "label", "Circuit " + std::to_string(circuit));
        details.set(bank + "device", "B16");
        details.set(bank + "earthing", "TN");
        for (int item = 0; item < itemsPerCircuit; ++item) {
            const int code = quantityCodes[item % 4];
            const double drift = 1 + 0.01 * (year - firstYear) + 0.001 * variant;
            const double base = code == 15 ? 200e6 / drift : code == 1 ? 230.0 : 0.3 * drift;
            builder.item(code, base + 0.001 * item, true);
        }
    }
    return fileBytes(*builder.build(), details);
}

// An archive built once for the whole run, with files of the same kind left to add.
struct BuiltArchive {
    std::string location;
    std::vector<std::string> spare;
    double bytesPerItem = 0;
};

// The archive's files are written without waiting for the disk, which only the build may do:
// the measured calls use an archive opened as every user opens it.
std::unique_ptr<kadenza::Database> bulkConnection(Engine engine, const std::string& location) {
    if (engine == sqlite) {
        auto database = std::make_unique<kadenza::SqliteDatabase>(location);
        database->run("PRAGMA synchronous = OFF");
        return database;
    }
    auto database = std::make_unique<kadenza::PostgresDatabase>(location);
    database->run("SET synchronous_commit = off");
    return database;
}

double sizeInBytes(Engine engine, const std::string& location) {
    if (engine == sqlite) {
        kadenza::SqliteDatabase database(location);
        database.run("PRAGMA wal_checkpoint(TRUNCATE)");
        return static_cast<double>(
            database
                .run("SELECT page_count * page_size FROM pragma_page_count(), "
                     "pragma_page_size()")
                .front()
                .integer(0));
    }
    kadenza::PostgresDatabase database(location);
    database.run("VACUUM ANALYZE");
    return static_cast<double>(
        database.run("SELECT pg_database_size(current_database())").front().integer(0));
}

void fill(Engine engine, const std::string& location) {
    auto database = bulkConnection(engine, location);
    kadenza::prepareSchema(*database);
    Archive archive(std::move(database));
    for (int year = firstYear; year < firstYear + inspectionsPerSite; ++year) {
        for (int site = 0; site < siteCount; ++site) {
            archive.add(inspectionFile(site, year));
        }
    }
}

std::string newLocation(Engine engine) {
    if (engine == sqlite) {
        static const kadenza::test::TempDir dir;
        return dir.path("archive.sqlite");
    }
    kadenza::test::PostgresServer* server = kadenza::test::sharedPostgresServer();
    return server == nullptr ? std::string() : server->createDatabase();
}

BuiltArchive build(Engine engine) {
    BuiltArchive built;
    built.location = newLocation(engine);
    if (built.location.empty()) {
        return built;
    }
    const auto start = std::chrono::steady_clock::now();
    fill(engine, built.location);
    built.bytesPerItem = sizeInBytes(engine, built.location) / itemCount;
    std::fprintf(stderr, "archive_bench: %s archive of %d items built in %.0f s\n",
                 engine == sqlite ? "SQLite" : "PostgreSQL", itemCount,
                 std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    for (int i = 0; i < spareFiles; ++i) {
        built.spare.push_back(inspectionFile(i, firstYear + inspectionsPerSite - 1, 1));
    }
    return built;
}

const BuiltArchive& archiveOf(Engine engine) {
    static const BuiltArchive sqliteArchive = build(sqlite);
    static const BuiltArchive postgresArchive = build(postgresql);
    return engine == sqlite ? sqliteArchive : postgresArchive;
}

// Every run tells how many rows it answered and the room an item takes in its archive.
void countRows(benchmark::State& state, std::size_t rows) {
    state.counters["rows"] = static_cast<double>(rows);
    state.counters["bytes_per_item"] = archiveOf(static_cast<Engine>(state.range(0))).bytesPerItem;
}

// The archive of the benchmark's engine, opened as a user opens it; null, with the benchmark
// skipped, where PostgreSQL is not installed.
std::unique_ptr<Archive> openArchive(benchmark::State& state) {
    const BuiltArchive& built = archiveOf(static_cast<Engine>(state.range(0)));
    if (built.location.empty()) {
        state.SkipWithError("PostgreSQL's programs are not installed");
        countRows(state, 0);
        return nullptr;
    }
    return Archive::open(built.location);
}

void addOneFile(benchmark::State& state) {
    const auto archive = openArchive(state);
    if (!archive) {
        return;
    }
    const auto& spare = archiveOf(static_cast<Engine>(state.range(0))).spare;
    std::size_t next = 0;
    for (auto _ : state) {
        if (!archive->add(spare.at(next++)).added) {
            state.SkipWithError("a spare file was in the archive already");
            break;
        }
    }
    countRows(state, 1);
}

void dueList(benchmark::State& state) {
    const auto archive = openArchive(state);
    if (!archive) {
        return;
    }
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = archive->due("2026-01-01").size();
    }
    countRows(state, rows);
}

void circuitHistory(benchmark::State& state) {
    const auto archive = openArchive(state);
    if (!archive) {
        return;
    }
    std::size_t points = 0;
    for (auto _ : state) {
        points = archive->history("Site 1234", "Circuit 3").size();
    }
    countRows(state, points);
}

// Each a fixed number of times: every add makes the archive larger, and the build is the
// run's long part already.
BENCHMARK(addOneFile)
    ->Arg(sqlite)
    ->Arg(postgresql)
    ->Iterations(spareFiles / 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(dueList)->Arg(sqlite)->Arg(postgresql)->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(circuitHistory)
    ->Arg(sqlite)
    ->Arg(postgresql)
    ->Iterations(50)
    ->Unit(benchmark::kMillisecond);

}  // namespace
