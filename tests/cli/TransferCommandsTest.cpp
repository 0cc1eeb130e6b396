#include <signal.h>

#include <gtest/gtest.h>

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
    const Outcome outcome = run(
        {"download", "--port", port, "--trace", path("trace.txt"), path("d.tso"), path("d.xml")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(readFile(path("d.tso")), decodedSample(4, path("own.tso")));
    EXPECT_TRUE(exists("d.xml"));
    // The trace starts with the identification request and holds every block's request.
    const std::string trace = readFile(path("trace.txt"));
    EXPECT_NE(trace.find("> AA\n"), std::string::npos);
    EXPECT_NE(trace.find("> AB\n"), std::string::npos);
}

TEST_F(TransferCommandsTest, FailuresHaveTheirMessagesAndExitCodes) {
    expectFailure(run({"download", "--port", path("no-such-port"), "--lang", "en", path("x.tso")}),
                  3, "Instrument not connected");
    const std::string stopping = startSimulator({"--model", "3", "--sample", "--stop-after", "5"});
    expectFailure(run({"download", "--port", stopping, path("x.tso")}), 4, "Chyba při přenosu");
    expectFailure(run({"download", "--port", stopping, path("x.bin")}), 1,
                  "unknown output format of " + path("x.bin") +
                      " (expected .tso, .xml, .html, .htm or .txt)");
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

TEST_F(TransferCommandsTest, LegacyReceivesWhatTheMx310_1Sends) {
    const std::string port = startSimulator({"--legacy", "--sample"});
    const Outcome outcome = run({"legacy", "--port", port, path("l.txt")});
    EXPECT_EQ(outcome.exitCode, 0) << outcome.err;
    EXPECT_EQ(readFile(path("l.txt")).substr(0, 11), "\r\nBank 0 \r\n");
}

TEST_F(TransferCommandsTest, InterruptStopsAWaitThatHasNoLimit) {
    const std::string port = startSimulator({"--legacy", "--silent"});
    // The tool runs in the background; SIGINT stands for the person's Ctrl+C.
    const std::string command = "'" + tool_ + "' legacy --port '" + port + "' --lang en '" +
                                path("l.txt") + "' 2>'" + path("err") +
                                "' & sleep 1; kill -INT $!; wait $!";
    const int status = std::system(command.c_str());
    EXPECT_EQ(WEXITSTATUS(status), 5);
    EXPECT_EQ(readFile(path("err")), "kadenza-cli: Interupted by user\n");
    EXPECT_FALSE(exists("l.txt"));
}

}  // namespace
}  // namespace kadenza::test
