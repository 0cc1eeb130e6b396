// Many downloads and setup writes against kadenza-sim under seeded faults, misbehaving
// instruments, a vanishing port, a stalled instrument and a user who stops at a random
// moment. A download is checked against decoding the simulator's image directly, a write
// against the simulator's memory afterwards: a job that ends with other data than that, a
// write reported as done that the instrument does not hold, a failed download that changed
// the container, or a failure not said exactly once counts as wrong. The table also shows
// the longest time from a stop to the job's end.
//   soak [--per-case N] [--seed S]
// Needs kadenza-sim: run it from the build folder's bench/, or set KADENZA_BIN_DIR.
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iomanip>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "RequestCountingLine.h"
#include "link/LegacyReceiver.h"
#include "link/PosixSerialLine.h"
#include "link/TransferJobs.h"
#include "samples/SampleImages.h"
#include "support/SimulatorProcess.h"
#include "support/TempDir.h"
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

namespace {

using Clock = std::chrono::steady_clock;
using kadenza::FailureKind;

constexpr int legacyModel = 0;
constexpr int models[] = {1, 2, 3, 4, 5, legacyModel};
constexpr int settingModels[] = {3, 4};
constexpr int firstSetupBlock = 252;
constexpr int setupBlocks = 4;
// A user who has waited this long for a transfer presses the stop button.
constexpr auto patience = std::chrono::seconds(30);

struct FaultLevel {
    const char* name;
    const char* faults;  // empty for a clean line
};

constexpr FaultLevel faultLevels[] = {
    {"clean", ""},
    {"light", "corrupt=0.0005,drop=0.0002,noise=0.0005,refuse=0.005"},
    {"moderate", "corrupt=0.002,drop=0.0005,noise=0.002,refuse=0.02"},
    {"heavy", "corrupt=0.01,drop=0.001,noise=0.01,refuse=0.05"},
};

enum class Disturbance {
    None,
    PortVanishes,
    InstrumentStalls,
    UserCancels,
    // The first answer about a random block, up to 600 ms late.
    LateReply,
    // Up to twelve identification answers, each up to 600 ms late.
    LateIdentifications,
    // After identifying itself the instrument sends bytes without end.
    Babble,
    BabbleUserCancels,
    // Writes: a stray byte before one acknowledgement and a lost frame, at random blocks.
    StrayAndLost,
    // Writes: every acknowledgement up to 700 ms late, and one lost frame.
    LateAcknowledgements,
};

// Stands for the person in front of the progress window: stops at the asked check or time,
// or when the transfer has taken longer than anyone would wait.
class SoakReporter : public kadenza::TransferReporter {
  public:
    SoakReporter(int cancelAtCheck, Clock::duration cancelAfter)
        : cancelAt_(cancelAtCheck), cancelAfter_(start_ + cancelAfter) {}

    void showProgress(const std::string&) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
    bool isCancelled() override {
        const Clock::time_point now = Clock::now();
        if (!pressed_ && checks_++ >= cancelAt_) {
            pressed_ = now;
        }
        for (const Clock::time_point moment : {cancelAfter_, start_ + patience}) {
            if (now >= moment) {
                pressed_ = std::min(pressed_.value_or(moment), moment);
            }
        }
        return pressed_.has_value();
    }
    void reportFailure(FailureKind kind) override {
        ++failures;
        failure = kind;
    }

    // When the user pressed stop, if the job asked after that.
    const std::optional<Clock::time_point>& pressed() const { return pressed_; }

    int failures = 0;
    FailureKind failure = FailureKind::Cancelled;

  private:
    Clock::time_point start_ = Clock::now();
    int cancelAt_;
    Clock::time_point cancelAfter_;
    int checks_ = 0;
    std::optional<Clock::time_point> pressed_;
};

std::string nativeBytes(const kadenza::InstrumentData& data) {
    std::ostringstream stream;
    data.save(stream);
    return stream.str();
}

// What every download of the model must end with: its sample decoded directly.
std::string expectedBytes(int model) {
    kadenza::InstrumentData data;
    if (model == legacyModel) {
        kadenza::decodeLegacyFrame(kadenza::samples::sampleLegacyFrame().data(), data);
    } else {
        auto translator = kadenza::createTranslator(model);
        translator->copyIn(kadenza::samples::sampleImage(model).data(), 0, kadenza::imageSize);
        translator->decodeData(data);
    }
    return nativeBytes(data);
}

std::string modelName(int model) {
    return model == legacyModel ? "Mx310.1" : kadenza::createTranslator(model)->modelName();
}

int dataBlocks(int model) {
    return model == legacyModel ? 0
                                : kadenza::createTranslator(model)->dataSize() / kadenza::blockSize;
}

struct Outcome {
    bool completed = false;
    bool wrong = false;
    bool failed = false;
    int retries = 0;
    double seconds = 0;
    // From the user's stop to the job's end; none without a stop.
    std::optional<double> stopSeconds;
};

struct Job {
    int model;
    std::string faults;
    Disturbance disturbance;
    unsigned seed;
};

int randomIn(std::mt19937& random, int lowest, int highest) {
    return std::uniform_int_distribution<int>(lowest, highest)(random);
}

std::string lateMs(std::mt19937& random) {
    return "late-ms=" + std::to_string(randomIn(random, 150, 600));
}

std::string misbehaviour(const Job& job, std::mt19937& random) {
    switch (job.disturbance) {
        case Disturbance::LateReply:
            return "late-block=" + std::to_string(randomIn(random, 0, dataBlocks(job.model) - 1)) +
                   "," + lateMs(random);
        case Disturbance::LateIdentifications:
            return "late-ids=" + std::to_string(randomIn(random, 1, 12)) + "," + lateMs(random);
        case Disturbance::Babble:
        case Disturbance::BabbleUserCancels:
            return "babble";
        case Disturbance::StrayAndLost:
            return "stray-ack=" + std::to_string(randomIn(random, 252, 255)) +
                   ",lose-write=" + std::to_string(randomIn(random, 252, 255));
        case Disturbance::LateAcknowledgements:
            // Up to acknowledgements so late that they are taken for later frames', which the
            // read-back after the write must find out.
            return "late-acks,late-ms=" + std::to_string(randomIn(random, 150, 2500)) +
                   ",lose-write=" + std::to_string(randomIn(random, 252, 255));
        default:
            return "";
    }
}

std::vector<std::string> simulatorArgs(const Job& job, std::mt19937& random) {
    std::vector<std::string> args;
    if (job.model == legacyModel) {
        args = {"--legacy", "--sample"};
    } else {
        args = {"--model", std::to_string(job.model), "--sample"};
    }
    args.insert(args.end(), {"--seed", std::to_string(job.seed), "--timeout", "120"});
    if (!job.faults.empty()) {
        args.insert(args.end(), {"--faults", job.faults});
    }
    if (job.disturbance == Disturbance::InstrumentStalls) {
        args.insert(args.end(), {"--stop-after",
                                 std::to_string(randomIn(random, 0, dataBlocks(job.model) - 1))});
    }
    const std::string misbehave = misbehaviour(job, random);
    if (!misbehave.empty()) {
        args.insert(args.end(), {"--misbehave", misbehave});
    }
    return args;
}

SoakReporter reporterFor(const Job& job, int blocks, std::mt19937& random) {
    const int cancelAt =
        job.disturbance == Disturbance::UserCancels ? randomIn(random, 0, blocks) : INT32_MAX;
    const auto cancelAfter = job.disturbance == Disturbance::BabbleUserCancels
                                 ? std::chrono::milliseconds(randomIn(random, 0, 400))
                                 : std::chrono::hours(1);
    return SoakReporter(cancelAt, cancelAfter);
}

std::optional<double> stopSeconds(const SoakReporter& reporter, Clock::time_point end) {
    if (!reporter.pressed()) {
        return std::nullopt;
    }
    return std::chrono::duration<double>(end - *reporter.pressed()).count();
}

// The job as the windows run it; true when it completed.
bool runDownloadJob(int model, kadenza::SerialLine& line, kadenza::InstrumentData& data,
                    SoakReporter& reporter) {
    if (model == legacyModel) {
        return kadenza::receiveLegacyTransfer(line, data, reporter);
    }
    kadenza::InstrumentTransfer transfer(line, [&reporter] { return reporter.isCancelled(); });
    return kadenza::runReadData(transfer, data, reporter);
}

Outcome runDownload(const Job& job, const std::string& expected, std::mt19937& random) {
    kadenza::test::SimulatorProcess simulator(simulatorArgs(job, random));
    const std::string port = simulator.firstLine();
    SoakReporter reporter = reporterFor(job, dataBlocks(job.model), random);

    // A marker the container must still hold after any download that did not complete.
    kadenza::InstrumentData data;
    data.add(std::make_unique<kadenza::InstrumentBank>(99));
    const std::string before = nativeBytes(data);

    std::thread unplugging;
    if (job.disturbance == Disturbance::PortVanishes) {
        const auto delay = std::chrono::milliseconds(randomIn(random, 0, 60));
        unplugging = std::thread([&simulator, delay] {
            std::this_thread::sleep_for(delay);
            simulator.signal(SIGKILL);
        });
    }

    const Clock::time_point start = Clock::now();
    Outcome outcome;
    {
        kadenza::PosixSerialLine serial(
            port, job.model == legacyModel ? kadenza::legacyBaud : kadenza::instrumentBaud);
        kadenza::bench::RequestCountingLine line(serial);
        outcome.completed = runDownloadJob(job.model, line, data, reporter);
        outcome.retries = line.retries();
    }
    const Clock::time_point end = Clock::now();
    outcome.seconds = std::chrono::duration<double>(end - start).count();
    outcome.stopSeconds = stopSeconds(reporter, end);
    if (unplugging.joinable()) {
        unplugging.join();
    }

    const std::string after = nativeBytes(data);
    outcome.failed = reporter.failures > 0;
    outcome.wrong = outcome.completed ? after != expected || reporter.failures != 0
                                      : after != before || reporter.failures != 1;
    return outcome;
}

// The setup area of the sample image once the model's factory settings are written over it.
std::vector<std::uint8_t> writtenSetupArea(int model, const kadenza::InstrumentSetup& defaults) {
    auto encoder = kadenza::createTranslator(model);
    encoder->copyIn(kadenza::samples::sampleImage(model).data(), 0, kadenza::imageSize);
    encoder->encodeSetup(defaults);
    std::vector<std::uint8_t> area(setupBlocks * kadenza::blockSize);
    encoder->copyOut(area.data(), firstSetupBlock * kadenza::blockSize,
                     static_cast<int>(area.size()));
    return area;
}

std::vector<std::uint8_t> setupAreaOf(const std::string& imageFile) {
    const std::string image = kadenza::test::readFile(imageFile);
    if (image.size() != static_cast<std::size_t>(kadenza::imageSize)) {
        return {};
    }
    return {image.begin() + firstSetupBlock * kadenza::blockSize, image.end()};
}

// Writes the factory settings, as the setup dialog does after Default settings. A write
// reported as done must have reached the instrument whole.
Outcome runWrite(const Job& job, std::mt19937& random) {
    kadenza::test::TempDir dir;
    std::vector<std::string> args = simulatorArgs(job, random);
    args.insert(args.end(), {"--save-image", dir.path("kept.bin")});
    kadenza::test::SimulatorProcess simulator(args);
    const std::string port = simulator.firstLine();
    SoakReporter reporter = reporterFor(job, setupBlocks, random);
    kadenza::InstrumentSetup defaults;
    kadenza::createTranslator(job.model)->defaultSetup(defaults);

    const Clock::time_point start = Clock::now();
    Outcome outcome;
    {
        kadenza::PosixSerialLine serial(port);
        kadenza::bench::RequestCountingLine line(serial);
        kadenza::InstrumentTransfer transfer(line, [&reporter] { return reporter.isCancelled(); });
        outcome.completed = kadenza::runWriteSetup(transfer, defaults, reporter);
        outcome.retries = std::max(0, line.writeFrames() - setupBlocks);
    }
    const Clock::time_point end = Clock::now();
    outcome.seconds = std::chrono::duration<double>(end - start).count();
    outcome.stopSeconds = stopSeconds(reporter, end);
    simulator.signal(SIGTERM);
    simulator.waitForExit(5000);

    outcome.failed = reporter.failures > 0;
    const bool held = setupAreaOf(dir.path("kept.bin")) == writtenSetupArea(job.model, defaults);
    outcome.wrong = outcome.completed ? !held || reporter.failures != 0 : reporter.failures != 1;
    return outcome;
}

struct Tally {
    int jobs = 0;
    int completed = 0;
    int retries = 0;
    int failures = 0;
    int wrong = 0;
    double longest = 0;
    double longestStop = 0;

    void add(const Outcome& outcome) {
        ++jobs;
        completed += outcome.completed ? 1 : 0;
        retries += outcome.retries;
        failures += outcome.failed ? 1 : 0;
        wrong += outcome.wrong ? 1 : 0;
        longest = std::max(longest, outcome.seconds);
        longestStop = std::max(longestStop, outcome.stopSeconds.value_or(0));
    }
    void add(const Tally& other) {
        jobs += other.jobs;
        completed += other.completed;
        retries += other.retries;
        failures += other.failures;
        wrong += other.wrong;
        longest = std::max(longest, other.longest);
        longestStop = std::max(longestStop, other.longestStop);
    }
};

void printHeading() {
    std::cout << std::left << std::setw(24) << "case" << std::setw(9) << "model" << std::right
              << std::setw(6) << "jobs" << std::setw(10) << "completed" << std::setw(9) << "retries"
              << std::setw(10) << "failures" << std::setw(7) << "wrong" << std::setw(12)
              << "longest s" << std::setw(9) << "stop s" << '\n';
}

void printRow(const std::string& name, const std::string& model, const Tally& tally) {
    std::cout << std::left << std::setw(24) << name << std::setw(9) << model << std::right
              << std::setw(6) << tally.jobs << std::setw(10) << tally.completed << std::setw(9)
              << tally.retries << std::setw(10) << tally.failures << std::setw(7) << tally.wrong
              << std::fixed << std::setprecision(2) << std::setw(12) << tally.longest
              << std::setw(9) << tally.longestStop << '\n'
              << std::flush;
}

enum class JobKind { Download, SetupWrite };

struct SoakCase {
    std::string name;
    JobKind kind;
    std::string faults;
    Disturbance disturbance;
};

std::vector<SoakCase> soakCases() {
    std::vector<SoakCase> cases;
    for (const FaultLevel& level : faultLevels) {
        cases.push_back({level.name, JobKind::Download, level.faults, Disturbance::None});
    }
    cases.push_back({"port vanishes", JobKind::Download, "", Disturbance::PortVanishes});
    cases.push_back({"instrument stalls", JobKind::Download, "", Disturbance::InstrumentStalls});
    cases.push_back({"user cancels", JobKind::Download, "", Disturbance::UserCancels});
    cases.push_back({"late reply", JobKind::Download, "", Disturbance::LateReply});
    cases.push_back(
        {"late identification", JobKind::Download, "", Disturbance::LateIdentifications});
    cases.push_back({"endless bytes", JobKind::Download, "", Disturbance::Babble});
    cases.push_back({"endless bytes, stop", JobKind::Download, "", Disturbance::BabbleUserCancels});
    for (const FaultLevel& level : faultLevels) {
        cases.push_back({std::string("write ") + level.name, JobKind::SetupWrite, level.faults,
                         Disturbance::None});
    }
    cases.push_back({"write stray, lost", JobKind::SetupWrite, "", Disturbance::StrayAndLost});
    cases.push_back(
        {"write late acks, lost", JobKind::SetupWrite, "", Disturbance::LateAcknowledgements});
    cases.push_back({"write user cancels", JobKind::SetupWrite, "", Disturbance::UserCancels});
    return cases;
}

bool appliesTo(const SoakCase& soakCase, int model) {
    if (soakCase.kind == JobKind::SetupWrite) {
        return std::find(std::begin(settingModels), std::end(settingModels), model) !=
               std::end(settingModels);
    }
    // The Mx310.1 pushes its frame unasked: it cannot stall at a block or misbehave in
    // answers, and its one progress check a byte makes the cancel points the same as the
    // vanishing port's.
    return model != legacyModel || soakCase.disturbance == Disturbance::None ||
           soakCase.disturbance == Disturbance::PortVanishes;
}

int optionValue(int argc, char** argv, const std::string& name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (argv[i] == name) {
            return std::atoi(argv[i + 1]);
        }
    }
    return fallback;
}

}  // namespace

int main(int argc, char** argv) {
    const int perCase = optionValue(argc, argv, "--per-case", 20);
    unsigned seed = static_cast<unsigned>(optionValue(argc, argv, "--seed", 1));
    std::mt19937 random(seed);

    printHeading();
    Tally total;
    for (const SoakCase& soakCase : soakCases()) {
        for (const int model : models) {
            if (!appliesTo(soakCase, model)) {
                continue;
            }
            const std::string expected = expectedBytes(model);
            Tally tally;
            for (int i = 0; i < perCase; ++i) {
                const Job job{model, soakCase.faults, soakCase.disturbance, seed++};
                tally.add(soakCase.kind == JobKind::Download ? runDownload(job, expected, random)
                                                             : runWrite(job, random));
            }
            printRow(soakCase.name, modelName(model), tally);
            total.add(tally);
        }
    }
    printRow("all", "", total);
    return total.wrong == 0 ? 0 : 1;
}
