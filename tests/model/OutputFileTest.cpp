#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <future>
#include <string>

#include "model/FileBytes.h"
#include "model/OutputFile.h"
#include "model/TemporaryFiles.h"
#include "support/TempDir.h"

// Writing where a path points (through links, into devices and FIFOs, over hard links, with
// the owner and mode kept) and reading within a bound.

namespace kadenza {
namespace {

namespace fs = std::filesystem;

const std::string content = "written\nwhole\n";

bool write(const std::string& path, const std::string& bytes = content) {
    OutputFile file(path);
    file.stream() << bytes;
    return file.commit();
}

// The temporary files left in a folder.
int temporaryFilesIn(const std::string& folder) {
    int count = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        count += entry.path().filename().string().rfind(".kadenza-", 0) == 0 ? 1 : 0;
    }
    return count;
}

class OutputFileTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return dir_.path(name); }
    std::string folder() const { return dir_.path(""); }

    test::TempDir dir_;
};

// A link stays a link and its final target gets the content, also one that does not exist
// yet; the temporary file is made beside the target.
TEST_F(OutputFileTest, SymbolicLinksAreFollowedToTheFileTheyName) {
    fs::create_directory(path("elsewhere"));
    test::writeFile(path("elsewhere/target.tso"), "old");
    fs::create_symlink("elsewhere/target.tso", path("first.tso"));
    fs::create_symlink("first.tso", path("second.tso"));
    fs::create_symlink("elsewhere/new.tso", path("dangling.tso"));

    ASSERT_TRUE(write(path("second.tso")));
    ASSERT_TRUE(write(path("dangling.tso"), "new"));
    EXPECT_TRUE(fs::is_symlink(path("second.tso")));
    EXPECT_TRUE(fs::is_symlink(path("first.tso")));
    EXPECT_EQ(test::readFile(path("elsewhere/target.tso")), content);
    EXPECT_TRUE(fs::is_symlink(path("dangling.tso")));
    EXPECT_EQ(test::readFile(path("elsewhere/new.tso")), "new");
    EXPECT_EQ(temporaryFilesIn(path("elsewhere")) + temporaryFilesIn(folder()), 0);
}

// Every name of a hard-linked file sees the new content: it is written in place.
TEST_F(OutputFileTest, AFileWithOtherNamesIsWrittenInPlace) {
    test::writeFile(path("one.txt"), "old content, longer than the new");
    fs::create_hard_link(path("one.txt"), path("other.txt"));
    ASSERT_TRUE(write(path("one.txt")));
    EXPECT_EQ(test::readFile(path("other.txt")), content);
    EXPECT_TRUE(fs::equivalent(path("one.txt"), path("other.txt")));
}

// A FIFO's reader gets the content and the FIFO stays; a device behind a link stays a device;
// a device that refuses the bytes fails the write.
TEST_F(OutputFileTest, WhatIsNotARegularFileIsWrittenStraightInto) {
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    auto reader = std::async(std::launch::async, [this] { return test::readFile(path("pipe")); });
    ASSERT_TRUE(write(path("pipe")));
    EXPECT_EQ(reader.get(), content);
    EXPECT_TRUE(fs::is_fifo(path("pipe")));

    fs::create_symlink("/dev/null", path("null.xml"));
    ASSERT_TRUE(write(path("null.xml")));
    EXPECT_TRUE(fs::is_symlink(path("null.xml")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));

    EXPECT_FALSE(write("/dev/full"));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

// The replacement is made with the file's mode (and, where permitted, its owner) from the
// start, so nobody else may read it while it is written; the file keeps both.
TEST_F(OutputFileTest, TheFileKeepsItsModeAndOwner) {
    test::writeFile(path("private.tso"), "old");
    ::chmod(path("private.tso").c_str(), 0640);
    const bool root = ::geteuid() == 0;
    constexpr uid_t nobody = 65534;
    if (root) {
        ASSERT_EQ(::chown(path("private.tso").c_str(), nobody, nobody), 0);
    }
    {
        OutputFile file(path("private.tso"));
        file.stream() << content;
        ASSERT_EQ(temporaryFilesIn(folder()), 1);
        for (const auto& entry : fs::directory_iterator(folder())) {
            struct stat status {};
            ::stat(entry.path().c_str(), &status);
            EXPECT_EQ(status.st_mode & 07777, 0640u) << entry.path();
        }
        ASSERT_TRUE(file.commit());
    }
    struct stat status {};
    ::stat(path("private.tso").c_str(), &status);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(status.st_uid, nobody);
        EXPECT_EQ(status.st_gid, nobody);
    }
    EXPECT_EQ(test::readFile(path("private.tso")), content);
}

// Where this user may not put another file in a file's place (a folder it may not write, a
// sticky folder and another's file), a file it may write is written in place; a file it may
// not write is refused and left as it was, as `cat > path` would leave it. Root plays nobody.
TEST_F(OutputFileTest, PermissionsDecideBetweenReplacingWritingInPlaceAndRefusing) {
    const bool root = ::geteuid() == 0;
    constexpr uid_t nobody = 65534;
    ::chmod(folder().c_str(), 0755);
    fs::create_directory(path("shut"));
    test::writeFile(path("shut/mine.txt"), "old");
    fs::create_directory(path("open"));
    test::writeFile(path("open/theirs.txt"), "old");
    ::chmod(path("open/theirs.txt").c_str(), 0444);
    fs::create_directory(path("sticky"));
    test::writeFile(path("sticky/shared.txt"), "old");
    ::chmod(path("sticky/shared.txt").c_str(), 0666);
    if (root) {
        ASSERT_EQ(::chown(path("shut/mine.txt").c_str(), nobody, nobody), 0);
    }
    ::chmod(path("shut").c_str(), 0555);
    ::chmod(path("open").c_str(), 0777);
    ::chmod(path("sticky").c_str(), 01777);
    const fs::path mine = path("shut/mine.txt");
    struct stat before {};
    ::stat(mine.c_str(), &before);

    const pid_t child = ::fork();
    if (child == 0) {
        if (root && (::setgid(nobody) != 0 || ::setuid(nobody) != 0)) {
            ::_exit(8);
        }
        int failures = write(mine) ? 0 : 1;
        try {
            write(path("open/theirs.txt"));
            failures |= 2;
        } catch (const std::runtime_error&) {
        }
        failures |= write(path("sticky/shared.txt")) ? 0 : 4;
        ::_exit(failures);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::chmod(path("shut").c_str(), 0755);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
    struct stat after {};
    ::stat(mine.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(test::readFile(mine), content);
    EXPECT_EQ(test::readFile(path("open/theirs.txt")), "old");
    EXPECT_EQ(test::readFile(path("sticky/shared.txt")), content);
    ::stat(path("sticky/shared.txt").c_str(), &after);
    EXPECT_EQ(after.st_uid, ::geteuid());
}

// A name as long as the system allows still leaves room for the temporary name, and two
// saves of one file at once do not share a temporary file.
TEST_F(OutputFileTest, TemporaryNamesAreShortAndUnique) {
    const std::string longest = path(std::string(251, 'n') + ".tso");
    ASSERT_TRUE(write(longest));
    EXPECT_EQ(test::readFile(longest), content);

    OutputFile first(longest);
    OutputFile second(longest);
    first.stream() << "first";
    second.stream() << "second";
    EXPECT_EQ(temporaryFilesIn(folder()), 2);
    ASSERT_TRUE(first.commit());
    ASSERT_TRUE(second.commit());
    EXPECT_EQ(test::readFile(longest), "second");
}

// A signal that ends the process in the middle of a save takes the temporary file with it.
TEST_F(OutputFileTest, AnEndingSignalRemovesTheTemporaryFile) {
    test::writeFile(path("kept.html"), "old");
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        const pid_t child = ::fork();
        if (child == 0) {
            removeTemporaryFilesOnSignals();
            OutputFile file(path("kept.html"));
            file.stream() << std::string(1 << 20, 'x') << std::flush;
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal;
        EXPECT_EQ(temporaryFilesIn(folder()), 0) << signal;
    }
    EXPECT_EQ(test::readFile(path("kept.html")), "old");

    // Under nohup a hang-up stays ignored and the save goes on.
    const pid_t child = ::fork();
    if (child == 0) {
        ::signal(SIGHUP, SIG_IGN);
        removeTemporaryFilesOnSignals();
        ::raise(SIGHUP);
        ::_exit(write(path("kept.html")) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(test::readFile(path("kept.html")), content);
}

// A file is read up to its bound and one byte past it, never further: an endless device is
// refused at once.
TEST_F(OutputFileTest, ReadingStopsOneBytePastTheBound) {
    test::writeFile(path("eight"), "12345678");
    struct Case {
        std::string path;
        std::size_t limit;
        FileBytesProblem problem;
    };
    const Case cases[] = {
        {path("eight"), 8, FileBytesProblem::none},
        {path("eight"), 7, FileBytesProblem::tooLarge},
        {"/dev/zero", 8192, FileBytesProblem::tooLarge},
        {folder(), 8192, FileBytesProblem::cannotRead},
        {path("missing"), 8192, FileBytesProblem::cannotOpen},
    };
    for (const Case& read : cases) {
        const FileBytes file = readFileBytes(read.path, read.limit);
        EXPECT_EQ(file.problem, read.problem) << read.path << ' ' << read.limit;
    }
    EXPECT_EQ(readFileBytes(path("eight"), 8).bytes.size(), 8u);
}

}  // namespace
}  // namespace kadenza
