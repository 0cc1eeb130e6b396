#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "InspectionFiles.h"
#include "archive/Archive.h"
#include "archive/ArchiveError.h"
#include "archive/ArchiveLocation.h"
#include "support/TempDir.h"

namespace kadenza::test {
namespace {

ArchiveProblem problemOfOpening(const std::string& path) {
    try {
        Archive::open(path)->list();
    } catch (const ArchiveError& error) {
        return error.problem();
    }
    ADD_FAILURE() << "opened";
    return ArchiveProblem::failed;
}

// Sets an environment variable for the test's time, or removes it for a null value.
class EnvironmentGuard {
  public:
    EnvironmentGuard(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        value == nullptr ? unsetenv(name) : setenv(name, value, 1);
    }
    ~EnvironmentGuard() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }

  private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(SqliteArchiveTest, AFileOfSomethingElseIsNoArchiveAndLeftAsItIs) {
    const TempDir dir;
    const std::string path = dir.path("notes.txt");
    const std::string notes(8192, 'x');
    writeFile(path, notes);

    EXPECT_EQ(problemOfOpening(path), ArchiveProblem::notAnArchive);
    EXPECT_EQ(readFile(path), notes);
}

TEST(SqliteArchiveTest, ADamagedArchiveIsReportedAndLeftAsItIs) {
    const TempDir dir;
    const std::string path = dir.path("archive.sqlite");
    {
        const auto archive = Archive::open(path);
        for (int i = 0; i < 20; ++i) {
            archive->add(inspectionFile({"inspection.site=Site " + std::to_string(i)}));
        }
    }
    std::string bytes = readFile(path);
    // Every page after the first, which names the tables: the tables themselves.
    const std::size_t page = 4096;
    ASSERT_GT(bytes.size(), 2 * page);
    for (std::size_t i = page; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(0xA5);
    }
    writeFile(path, bytes);

    EXPECT_EQ(problemOfOpening(path), ArchiveProblem::damaged);
    try {
        Archive::open(path)->add(inspectionFile({"inspection.site=New"}));
    } catch (const ArchiveError& error) {
        EXPECT_EQ(error.problem(), ArchiveProblem::damaged);
    }
    EXPECT_EQ(readFile(path), bytes);
}

TEST(SqliteArchiveTest, AFullDiskLeavesTheArchiveAsItWas) {
    const TempDir dir;
    const std::string path = dir.path("archive.sqlite");
    Archive::open(path)->add(inspectionFile({"inspection.site=Villa"}));
    const std::string large = largeInspectionFile("Mill", 20000);
    const std::string before = readFile(path);

    EXPECT_EXIT(
        {
            limitFileSize(static_cast<long>(before.size()) + 64 * 1024);
            try {
                Archive::open(path)->add(large);
            } catch (const ArchiveError& error) {
                std::cerr << error.what();
                _exit(error.problem() == ArchiveProblem::full ? 0 : 1);
            }
            _exit(2);
        },
        ::testing::ExitedWithCode(0), "Cannot write the archive");

    const auto archive = Archive::open(path);
    ASSERT_EQ(archive->list().size(), 1u);
    EXPECT_EQ(archive->list().front().site, "Villa");
}

TEST(SqliteArchiveTest, ANewArchiveIsMadeWithItsFolders) {
    const TempDir dir;
    const std::string path = dir.path("data/kadenza/archive.sqlite");

    Archive::open(path)->add(inspectionFile({"inspection.site=Villa"}));

    EXPECT_TRUE(std::filesystem::is_regular_file(path));
}

mode_t modeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

// Clients' names and addresses are for the archive's user alone, whatever the umask.
class ArchiveModeTest : public ::testing::TestWithParam<mode_t> {
  protected:
    void SetUp() override { previous_ = ::umask(GetParam()); }
    void TearDown() override { ::umask(previous_); }

    const TempDir dir_;

  private:
    mode_t previous_ = 0;
};

TEST_P(ArchiveModeTest, ANewArchiveIsPrivateAndAnExistingOneKeepsItsModes) {
    const std::string path = dir_.path("data/kadenza/archive.sqlite");
    {
        const auto archive = Archive::open(path);
        archive->add(inspectionFile({"inspection.site=Villa"}));
        EXPECT_EQ(modeOf(dir_.path("data")), 0700u);
        EXPECT_EQ(modeOf(dir_.path("data/kadenza")), 0700u);
        for (const char* end : {"", "-wal", "-shm"}) {
            EXPECT_EQ(modeOf(path + end), 0600u) << end;
        }
    }

    ASSERT_EQ(::chmod(dir_.path("data/kadenza").c_str(), 0750), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    Archive::open(path)->add(inspectionFile({"inspection.site=Mill"}));
    EXPECT_EQ(modeOf(dir_.path("data/kadenza")), 0750u);
    EXPECT_EQ(modeOf(path), 0640u);

    ASSERT_EQ(::mkdir(dir_.path("shared").c_str(), 0755), 0);
    ASSERT_EQ(::chmod(dir_.path("shared").c_str(), 0755), 0);
    Archive::open(dir_.path("shared/archive.sqlite"));
    EXPECT_EQ(modeOf(dir_.path("shared")), 0755u);
    EXPECT_EQ(modeOf(dir_.path("shared/archive.sqlite")), 0600u);
}

INSTANTIATE_TEST_SUITE_P(Umasks, ArchiveModeTest, ::testing::Values(0000, 0022, 0077, 0277));

TEST(SqliteArchiveTest, TheDefaultLocationFollowsTheEnvironment) {
    const struct {
        const char* archive;
        const char* dataHome;
        const char* expected;
    } cases[] = {
        {nullptr, nullptr, "/home/tech/.local/share/kadenza/archive.sqlite"},
        {nullptr, "/data", "/data/kadenza/archive.sqlite"},
        {nullptr, "relative", "/home/tech/.local/share/kadenza/archive.sqlite"},
        {"", "/data", "/data/kadenza/archive.sqlite"},
        {"postgresql://db.example/kadenza", "/data", "postgresql://db.example/kadenza"},
        {"/shared/archive.sqlite", nullptr, "/shared/archive.sqlite"},
    };
    const EnvironmentGuard home("HOME", "/home/tech");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        const EnvironmentGuard archive("KADENZA_ARCHIVE", c.archive);
        const EnvironmentGuard dataHome("XDG_DATA_HOME", c.dataHome);
        EXPECT_EQ(defaultArchiveLocation(), c.expected);
    }
}

TEST(SqliteArchiveTest, OnlyAPostgresUriLeadsToAServer) {
    EXPECT_TRUE(isPostgresLocation("postgresql://team@db/kadenza"));
    EXPECT_TRUE(isPostgresLocation("postgres:///kadenza?host=/run/postgresql"));
    EXPECT_FALSE(isPostgresLocation("postgresql.sqlite"));
    EXPECT_FALSE(isPostgresLocation("./postgresql://x"));
    EXPECT_FALSE(isPostgresLocation("host=db dbname=kadenza"));
}

}  // namespace
}  // namespace kadenza::test
