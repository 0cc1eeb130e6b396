#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "CliFixture.h"
#include "samples/SampleImages.h"
#include "support/SimulatorProcess.h"
#include "translators/TranslatorFactory.h"

namespace kadenza::test {
namespace {

// kadenza-cli against the kadenza-sim program, as a person would use the two.
class TransferCommandsTest : public CliTest {
  protected:
    std::string startSimulator(const std::vector<std::string>& args) {
        simulator_ = std::make_unique<SimulatorProcess>(args);
        const std::string port = simulator_->firstLine();
        EXPECT_FALSE(port.empty()) << simulator_->errorOutput();
        return port;
    }

    std::unique_ptr<SimulatorProcess> simulator_;
};

std::string decodedSample(int model, const std::string& path) {
    const auto image = samples::sampleImage(model);
    auto translator = createTranslator(model);
    translator->copyIn(image.data(), 0, imageSize);
    InstrumentData data;
    translator->decodeData(data);
    EXPECT_TRUE(saveNativeFile(path, data));
    return readFile(path);
}

TEST_F(TransferCommandsTest, DownloadWritesWhatTheInstrumentHolds) {
    const std::string port = startSimulator({"--model", "4", "--sample"});
    const Outcome outcome =
        run({"download", "--port", port, "--trace", "-", path("d.tso"), path("d.xml")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(readFile(path("d.tso")), decodedSample(4, path("own.tso")));
    EXPECT_TRUE(exists("d.xml"));
    // The trace, on standard output, starts with the identification request and holds every
    // block's request.
    const std::string& trace = outcome.out;
    EXPECT_NE(trace.find("> AA\n"), std::string::npos);
    EXPECT_NE(trace.find("> AB\n"), std::string::npos);

    // A trace that cannot be written is said after the download, which still finishes.
    expectFailure(run({"download", "--port", port, "--trace", "/dev/full", "--lang", "en",
                       path("again.tso")}),
                  2, "Cannot write file /dev/full");
    EXPECT_EQ(readFile(path("again.tso")), readFile(path("d.tso")));
}

TEST_F(TransferCommandsTest, FailuresHaveTheirMessagesAndExitCodes) {
    expectFailure(run({"download", "--port", path("no-such-port"), "--lang", "en", path("x.tso")}),
                  3, "Instrument not connected");
    const std::string stopping = startSimulator({"--model", "3", "--sample", "--stop-after", "5"});
    expectFailure(run({"download", "--port", stopping, path("x.tso")}, "cs_CZ.UTF-8"), 4,
                  "Chyba při přenosu");
    expectFailure(run({"download", "--port", stopping, path("x.bin")}), 1,
                  "unknown output format of " + path("x.bin") +
                      " (expected .tso, .xml, .html, .htm, .txt, .csv or .json, or --format)");
    EXPECT_FALSE(exists("x.tso"));
}

TEST_F(TransferCommandsTest, SetupWriteChangesTheInstrumentsSettings) {
    const std::string port = startSimulator({"--model", "3", "--sample"});
    const Outcome written =
        run({"setup", "write", "--port", port, "--set", "0:0=300", "--lang", "en"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    const Outcome read = run({"setup", "read", "--port", port, "--lang", "en"});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_NE(read.out.find("  Power off\t300 s\n"), std::string::npos) << read.out;
    EXPECT_EQ(written.out, read.out);

    const Outcome defaults = run({"setup", "defaults", "--port", port, "--lang", "en"});
    EXPECT_NE(defaults.out.find("  Power off\t120 s\n"), std::string::npos);
    expectFailure(run({"setup", "write", "--port", port, "--set", "0:0=5"}), 1,
                  "--set 0:0=5: the value is outside the item's range");
}

// A stray byte before one acknowledgement and a lost frame after it: the write ends with
// every block truly written, as the simulator's memory shows. Acknowledgements so late that
// they are taken for later frames' are found out by reading the settings back.
TEST_F(TransferCommandsTest, SetupWriteSucceedsOnlyWhenEveryBlockArrived) {
    const std::string late =
        startSimulator({"--model", "4", "--sample", "--misbehave", "late-acks,late-ms=2000"});
    expectFailure(run({"setup", "write", "--port", late, "--set", "0:0=120", "--lang", "en"}), 4,
                  "Transmission failed");

    const std::string port =
        startSimulator({"--model", "3", "--sample", "--save-image", path("kept.bin"), "--misbehave",
                        "stray-ack=252,lose-write=253"});
    const Outcome written =
        run({"setup", "write", "--port", port, "--set", "2:0=0.125", "--lang", "en"});
    ASSERT_EQ(written.exitCode, 0) << written.err;
    simulator_->signal(SIGTERM);
    ASSERT_EQ(simulator_->waitForExit(5000), 0);
    const Outcome kept =
        run({"setup", "show", "--model", "3", "--image", path("kept.bin"), "--lang", "en"});
    EXPECT_EQ(kept.out, written.out);
}

// Settings the tool did not read from the instrument are never written: a failed read ends
// the command, settings read out of their range are refused until set, and a model that
// keeps no settings says so with its own exit code.
TEST_F(TransferCommandsTest, SettingsThatCannotBeWrittenAreRefused) {
    const std::string refusing =
        startSimulator({"--model", "3", "--sample", "--misbehave", "refuse-reads"});
    expectFailure(run({"setup", "write", "--port", refusing, "--lang", "en"}), 4,
                  "Transmission failed");

    const std::string erased = startSimulator({"--model", "3", "--sample", "--erase-setup"});
    const Outcome read = run({"setup", "read", "--port", erased, "--lang", "en"});
    EXPECT_NE(read.out.find("  Power off\t1310.7 s  (outside the allowed range)\n"),
              std::string::npos)
        << read.out;
    expectFailure(run({"setup", "write", "--port", erased, "--set", "0:1=5", "--lang", "en"}), 2,
                  "Power off 1310.7 s: outside the allowed range");
    EXPECT_EQ(run({"setup", "read", "--port", erased, "--lang", "en"}).out, read.out);
    EXPECT_EQ(run({"setup", "write", "--port", erased, "--defaults"}).exitCode, 0);

    const std::string withoutSettings = startSimulator({"--model", "5", "--sample"});
    for (const char* command : {"read", "write", "defaults"}) {
        expectFailure(run({"setup", command, "--port", withoutSettings}), 6,
                      "This instrument keeps no settings");
    }
}

TEST_F(TransferCommandsTest, LegacyReceivesWhatTheMx310_1Sends) {
    const std::string port = startSimulator({"--legacy", "--sample"});
    const Outcome outcome = run({"legacy", "--port", port, path("l.txt")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(readFile(path("l.txt")).substr(0, 11), "\r\nBank 0 \r\n");
}

// A signal sent to the running tool this many milliseconds after the one before.
struct SentSignal {
    int afterMs;
    int signal;
};

// Runs the tool with `args`, its output to nowhere and its errors to `errorFile`, with the
// ending signals at their defaults as a terminal's foreground command has them (`ignored`
// ignored, as nohup does), and sends it `signals`; its exit status as a shell reports it.
int interruptedStatus(const std::string& tool, const std::vector<std::string>& args,
                      const std::string& errorFile, const std::vector<SentSignal>& signals,
                      int ignored = 0) {
    std::vector<std::string> words{tool};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
            ::signal(signal, signal == ignored ? SIG_IGN : SIG_DFL);
        }
        if (::freopen("/dev/null", "w", stdout) != nullptr &&
            ::freopen(errorFile.c_str(), "w", stderr) != nullptr) {
            ::execv(argv[0], argv.data());
        }
        ::_exit(127);
    }
    for (const SentSignal& sent : signals) {
        std::this_thread::sleep_for(std::chrono::milliseconds(sent.afterMs));
        ::kill(child, sent.signal);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

// A stop comes through in any wait: a silent identification and a line that never stops
// talking end at once as interrupted. A setup write already under way runs to its end and
// reports its real outcome; a second Ctrl+C ends the tool at once.
TEST_F(TransferCommandsTest, InterruptEndsAnyWaitButNotAWriteUnderWay) {
    struct Case {
        std::vector<std::string> simulator;
        std::vector<std::string> command;
        std::vector<SentSignal> signals;
        int status;
        int ignored;
    };
    const std::vector<std::string> download = {"download", path("out.tso")};
    const std::vector<std::string> write = {"setup", "write", "--set", "2:0=0.125"};
    const std::vector<std::string> lateAcknowledgements = {"--model", "3", "--sample",
                                                           "--misbehave", "late-acks,late-ms=300"};
    const std::vector<std::string> babbling = {"--model", "3", "--misbehave", "babble"};
    const Case cases[] = {
        {{"--model", "3", "--silent"}, download, {{500, SIGINT}}, 5, 0},
        {babbling, download, {{300, SIGTERM}}, 5, 0},
        {babbling, download, {{300, SIGHUP}}, 5, 0},
        // Started under nohup: the hang-up is not heard and the download finishes.
        {{"--model", "3", "--sample"}, download, {{300, SIGHUP}}, 0, SIGHUP},
        {lateAcknowledgements, write, {{600, SIGINT}}, 0, 0},
        {lateAcknowledgements, write, {{600, SIGINT}, {100, SIGINT}}, 128 + SIGINT, 0},
    };
    for (const Case& interrupted : cases) {
        SCOPED_TRACE(interrupted.command.front() + " " + std::to_string(interrupted.status));
        std::vector<std::string> args = interrupted.command;
        args.insert(args.end(), {"--port", startSimulator(interrupted.simulator), "--lang", "en"});
        const auto start = std::chrono::steady_clock::now();
        const int status =
            interruptedStatus(tool_, args, path("err"), interrupted.signals, interrupted.ignored);
        EXPECT_EQ(status, interrupted.status) << readFile(path("err"));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
        EXPECT_EQ(exists("out.tso"), interrupted.command == download && interrupted.status == 0);
        std::filesystem::remove(path("out.tso"));
    }
}

TEST_F(TransferCommandsTest, InterruptStopsAWaitThatHasNoLimit) {
    const std::string port = startSimulator({"--legacy", "--silent"});
    const int status =
        interruptedStatus(tool_, {"legacy", "--port", port, "--lang", "en", path("l.txt")},
                          path("err"), {{1000, SIGINT}});
    EXPECT_EQ(status, 5);
    EXPECT_EQ(readFile(path("err")), "kadenza-cli: Interupted by user\n");
    EXPECT_FALSE(exists("l.txt"));
}

}  // namespace
}  // namespace kadenza::test
