#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "CliFixture.h"
#include "inspection/InspectionFile.h"
#include "support/FileSections.h"

extern char** environ;

namespace kadenza::test {
namespace {

constexpr int lineVoltage = 1;

// Hand-made and concurrent uses of one data file's details.
class DetailsFileTest : public CliTest {
  protected:
    // A data file whose details section holds the text.
    std::string fileWithDetails(const std::string& name, const std::string& json) {
        writeFile(path(name), withDetailsText(readFile(input_), json));
        return path(name);
    }

    // Starts the tool with these arguments, its output thrown away; the process's id.
    pid_t start(const std::vector<std::string>& args) {
        std::vector<std::string> words{tool_};
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& word : words) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, tool_.c_str(), &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        return pid;
    }

    static int exitCodeOf(pid_t pid) {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }

    // The temporary files of saves left in the folder.
    std::vector<std::string> leftTemporaryFiles() const {
        std::vector<std::string> left;
        for (const auto& entry : std::filesystem::directory_iterator(path("."))) {
            if (entry.path().filename().string().rfind(".kadenza-", 0) == 0) {
                left.push_back(entry.path().filename().string());
            }
        }
        return left;
    }
};

// Details nested 75 000 deep or holding millions of values crash nothing: every command goes
// on with the data and says why the details are left out; an import of them is refused.
TEST_F(DetailsFileTest, HostileDetailsCrashNoCommand) {
    const std::string deepJson =
        R"({"version":1,"x":)" + std::string(75000, '[') + std::string(75000, ']') + "}";
    std::string wideJson = R"({"version":1,"x":[)";
    while (wideJson.size() < 3 * 1024 * 1024) {
        wideJson += "{},";
    }
    wideJson += "{}]}";
    const struct {
        std::string file;
        std::string problem;
    } cases[] = {
        {fileWithDetails("deep.tso", deepJson), "the details nest deeper than 64 levels"},
        {fileWithDetails("wide.tso", wideJson), "the details hold too many values for their size"},
    };
    for (const auto& c : cases) {
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"show", c.file},
              {"evaluate", c.file},
              {"convert", c.file, "--format", "json", "-"},
              {"report", c.file, path("out.pdf")}}) {
            const Outcome outcome = run(command);
            EXPECT_GE(outcome.exitCode, 0) << command[0] << " " << c.problem;
            EXPECT_NE(outcome.exitCode, 2) << command[0] << " " << c.problem;
            EXPECT_NE(outcome.err.find(c.problem + "; they are left out"), std::string::npos)
                << outcome.err;
        }
        expectFailure(run({"details", c.file}), 2, c.file + ": " + c.problem);
    }
    writeFile(path("deep.json"), deepJson);
    const std::string plain = readFile(input_);
    expectFailure(run({"details", input_, "--import", path("deep.json")}), 2,
                  path("deep.json") + ": the details nest deeper than 64 levels");
    EXPECT_EQ(readFile(input_), plain);
}

// Two changes of one file at once both land: the programs take turns.
TEST_F(DetailsFileTest, TwoWritersAtOnceKeepBothChanges) {
    for (int round = 0; round < 25; ++round) {
        ASSERT_TRUE(saveNativeFile(input_, *sampleData()));
        const pid_t client = start({"details", input_, "--set", "inspection.client=Nováková"});
        const pid_t site = start({"details", input_, "--set", "inspection.site=Brno"});
        ASSERT_EQ(exitCodeOf(client), 0);
        ASSERT_EQ(exitCodeOf(site), 0);
        InstrumentData data;
        DetailsDocument details;
        ASSERT_TRUE(openInspectionFile(input_, data, details));
        EXPECT_EQ(details.inspection().client, "Nováková") << round;
        EXPECT_EQ(details.inspection().site, "Brno") << round;
    }
}

// A change that would take the file past what a data file may hold is refused, the file
// unchanged, so that it never becomes a file Kadenza refuses to open.
TEST_F(DetailsFileTest, AChangePastTheSizeLimitIsRefused) {
    DataBuilder builder;
    builder.bank(1);
    for (int item = 0; item < 205000; ++item) {
        builder.item(lineVoltage, 230);
    }
    ASSERT_TRUE(saveNativeFile(input_, *builder.build()));
    const std::string before = readFile(input_);
    writeFile(path("long.json"), R"({"version": 1, "inspection": {"remarks": ")" +
                                     std::string(nativeFileLimit - before.size(), 'x') + "\"}}");
    expectFailure(run({"details", input_, "--import", path("long.json")}), 2,
                  input_ + ": the file would be larger than the 4 MiB a data file may hold");
    EXPECT_EQ(readFile(input_), before);
    EXPECT_EQ(run({"details", input_, "--set", "inspection.site=Brno"}).exitCode, 0);
}

// No output replaces the input it is made from, whatever link leads to it.
TEST_F(DetailsFileTest, NoOutputReplacesItsInput) {
    const std::string before = readFile(input_);
    std::filesystem::create_symlink(input_, path("link.html"));
    expectFailure(run({"report", input_, input_}), 1, input_ + " is the input file " + input_);
    expectFailure(run({"details", input_, "--export", input_}), 1,
                  input_ + " is the input file " + input_);
    expectFailure(run({"convert", input_, path("out.xml"), path("link.html")}), 1,
                  path("link.html") + " is the input file " + input_);
    EXPECT_FALSE(exists("out.xml"));
    EXPECT_EQ(readFile(input_), before);
    ASSERT_EQ(run({"sample", "--model", "3", path("image.bin")}).exitCode, 0);
    expectFailure(
        run({"decode", "--model", "3", path("image.bin"), "--format", "xml", path("image.bin")}), 1,
        path("image.bin") + " is the input file " + path("image.bin"));
}

// Another program's section of the file stays through a change of the details and a
// conversion; a value that is not UTF-8 text is refused.
TEST_F(DetailsFileTest, OtherSectionsStayAndTextMustBeUtf8) {
    writeFile(input_, withSection(readFile(input_), "xtra", "another program's bytes"));
    ASSERT_EQ(run({"details", input_, "--set", "inspection.site=Brno"}).exitCode, 0);
    ASSERT_EQ(run({"convert", input_, path("copy.tso")}).exitCode, 0);
    for (const std::string& file : {input_, path("copy.tso")}) {
        const std::vector<FileSection> others = otherSectionsOf(readFile(file));
        ASSERT_EQ(others.size(), 1u) << file;
        EXPECT_EQ(others[0].bytes, "another program's bytes");
    }
    const std::string before = readFile(input_);
    expectFailure(run({"details", input_, "--set", "inspection.client=Nov\xE1kov\xE1"}), 1,
                  "inspection.client: the value is not UTF-8 text");
    EXPECT_EQ(readFile(input_), before);
}

// A save stopped by SIGTERM the moment its temporary file appears still removes it.
TEST_F(DetailsFileTest, AStopAsTheTemporaryFileAppearsLeavesNothingBehind) {
    const int watch = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, path(".").c_str(), IN_CREATE), 0);
    for (int round = 0; round < 150; ++round) {
        const pid_t pid = start({"details", input_, "--set", "inspection.site=Brno"});
        alignas(inotify_event) char events[4096];
        bool stopped = false;
        while (!stopped) {
            const ssize_t length = read(watch, events, sizeof events);
            ASSERT_GT(length, 0);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(events + at);
                if (event->len > 0 && std::string(event->name).rfind(".kadenza-", 0) == 0) {
                    kill(pid, SIGTERM);
                    stopped = true;
                }
                at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            }
        }
        exitCodeOf(pid);
        ASSERT_EQ(leftTemporaryFiles(), std::vector<std::string>{}) << round;
    }
    close(watch);
}

}  // namespace
}  // namespace kadenza::test
