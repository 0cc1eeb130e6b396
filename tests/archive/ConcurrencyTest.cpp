#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <set>
#include <thread>

#include "EngineFixture.h"
#include "InspectionFiles.h"
#include "archive/ArchiveError.h"
#include "archive/ContentHash.h"

namespace kadenza::test {
namespace {

using ConcurrencyTest = EngineTest;

// The largest data file holds about 220 000 values; this one takes a good part of a second to
// add.
constexpr int largeFileItems = 150000;

// Runs the action in a child process of its own, which ends when the action returns (0) or
// throws (1, telling why on stderr).
pid_t inChild(const std::function<void()>& action) {
    const pid_t child = fork();
    if (child == 0) {
        try {
            action();
        } catch (const std::exception& error) {
            std::cerr << "child " << getpid() << ": " << error.what() << '\n';
            _exit(1);
        }
        _exit(0);
    }
    return child;
}

int exitStatusOf(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Whether the archive shows that a transaction is writing: SQLite's log grows past what a
// committed archive of nothing holds, PostgreSQL's items table is locked by a writer.
bool isWriting(Engine engine, const std::string& location) {
    if (engine == Engine::sqlite) {
        std::error_code ignored;
        return std::filesystem::file_size(location + "-wal", ignored) > 1'000'000 && !ignored;
    }
    PostgresDatabase observer(location);
    return observer
               .run(
                   "SELECT count(*) FROM pg_locks AS l JOIN pg_class AS c ON c.oid = "
                   "l.relation WHERE c.relname = 'items' AND l.mode = 'RowExclusiveLock'")
               .front()
               .integer(0) > 0;
}

TEST_P(ConcurrencyTest, AnAddKilledMidWayLeavesNothingHalfDone) {
    const std::string large = largeInspectionFile("Villa", largeFileItems);
    open();
    const pid_t child = inChild([&] { open()->add(large); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!isWriting(GetParam(), location_) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the add ended before it could be killed";

    const auto archive = open();
    const auto listed = archive->list();
    ASSERT_TRUE(listed.empty()) << "the killed add went in";
    EXPECT_TRUE(archive->history("Villa", "1").empty());
    const AddResult again = archive->add(large);
    EXPECT_TRUE(again.added);
    EXPECT_EQ(archive->history("Villa", "1500").size(), 100u);
}

TEST_P(ConcurrencyTest, TwoProcessesMakingAndAddingAtOnceLoseNothing) {
    constexpr int filesEach = 15;
    std::vector<std::string> files[2];
    for (int process = 0; process < 2; ++process) {
        for (int i = 0; i < filesEach; ++i) {
            files[process].push_back(
                inspectionFile({"inspection.site=Site " + std::to_string(i),
                                "inspection.client=Process " + std::to_string(process)}));
        }
        // Both add this one.
        files[process].push_back(inspectionFile({"inspection.site=Shared"}));
    }
    // Neither finds an archive: both make it, taking turns.
    const pid_t children[] = {inChild([&] {
                                  const auto archive = open();
                                  for (const std::string& file : files[0]) {
                                      archive->add(file);
                                  }
                              }),
                              inChild([&] {
                                  const auto archive = open();
                                  for (const std::string& file : files[1]) {
                                      archive->add(file);
                                  }
                              })};
    EXPECT_EQ(exitStatusOf(children[0]), 0);
    EXPECT_EQ(exitStatusOf(children[1]), 0);

    const auto archive = open();
    EXPECT_EQ(archive->list().size(), 2u * filesEach + 1);
    EXPECT_EQ(archive->list("Shared").size(), 1u);
    for (const auto& process : files) {
        for (const std::string& file : process) {
            EXPECT_FALSE(archive->add(file).added);
        }
    }
    EXPECT_EQ(archive->history("Site 3", "1").size(), 4u);
}

INSTANTIATE_TEST_SUITE_P(Engines, ConcurrencyTest, bothEngines, engineName);

}  // namespace
}  // namespace kadenza::test
