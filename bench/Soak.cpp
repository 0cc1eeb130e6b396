// Many downloads from kadenza-sim under seeded faults, a vanishing port, a stalled instrument
// and a user who cancels at a random moment. Each download is checked against decoding the
// simulator's image directly; a download that ends with other data than that, changes the
// container without completing, or fails without saying so counts as wrong.
//   soak [--per-case N] [--seed S]
// Needs kadenza-sim: run it from the build folder's bench/, or set KADENZA_BIN_DIR.
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <iomanip>
#include <iostream>
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
#include "translators/LegacyFrame.h"
#include "translators/TranslatorFactory.h"

namespace {

using Clock = std::chrono::steady_clock;
using kadenza::FailureKind;

constexpr int legacyModel = 0;
constexpr int models[] = {1, 2, 3, 4, 5, legacyModel};
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

enum class Disturbance { None, PortVanishes, InstrumentStalls, UserCancels };

// Stands for the person in front of the progress window: cancels at the asked check, or
// when the transfer has taken longer than anyone would wait.
class SoakReporter : public kadenza::TransferReporter {
  public:
    explicit SoakReporter(int cancelAtCheck) : cancelAt_(cancelAtCheck) {}

    void showProgress(const std::string&) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
    bool isCancelled() override {
        return checks_++ >= cancelAt_ || Clock::now() - start_ > patience;
    }
    void reportFailure(FailureKind kind) override {
        ++failures;
        failure = kind;
    }

    int failures = 0;
    FailureKind failure = FailureKind::Cancelled;

  private:
    int cancelAt_;
    int checks_ = 0;
    Clock::time_point start_ = Clock::now();
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
};

struct Download {
    int model;
    std::string faults;
    Disturbance disturbance;
    unsigned seed;
};

std::vector<std::string> simulatorArgs(const Download& download, std::mt19937& random) {
    std::vector<std::string> args;
    if (download.model == legacyModel) {
        args = {"--legacy", "--sample"};
    } else {
        args = {"--model", std::to_string(download.model), "--sample"};
    }
    args.insert(args.end(), {"--seed", std::to_string(download.seed), "--timeout", "120"});
    if (!download.faults.empty()) {
        args.insert(args.end(), {"--faults", download.faults});
    }
    if (download.disturbance == Disturbance::InstrumentStalls) {
        std::uniform_int_distribution<int> block(0, dataBlocks(download.model) - 1);
        args.insert(args.end(), {"--stop-after", std::to_string(block(random))});
    }
    return args;
}

// The job as the windows run it; true when it completed.
bool runJob(int model, kadenza::SerialLine& line, kadenza::InstrumentData& data,
            kadenza::TransferReporter& reporter) {
    if (model == legacyModel) {
        return kadenza::receiveLegacyTransfer(line, data, reporter);
    }
    kadenza::InstrumentTransfer transfer(line);
    return kadenza::runReadData(transfer, data, reporter);
}

Outcome runDownload(const Download& download, const std::string& expected, std::mt19937& random) {
    kadenza::test::SimulatorProcess simulator(simulatorArgs(download, random));
    const std::string port = simulator.firstLine();
    const int cancelAt =
        download.disturbance == Disturbance::UserCancels
            ? std::uniform_int_distribution<int>(0, dataBlocks(download.model))(random)
            : INT32_MAX;
    SoakReporter reporter(cancelAt);

    // A marker the container must still hold after any download that did not complete.
    kadenza::InstrumentData data;
    data.add(std::make_unique<kadenza::InstrumentBank>(99));
    const std::string before = nativeBytes(data);

    std::thread unplugging;
    if (download.disturbance == Disturbance::PortVanishes) {
        const auto delay =
            std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 60)(random));
        unplugging = std::thread([&simulator, delay] {
            std::this_thread::sleep_for(delay);
            simulator.signal(SIGKILL);
        });
    }

    const Clock::time_point start = Clock::now();
    Outcome outcome;
    {
        kadenza::PosixSerialLine serial(
            port, download.model == legacyModel ? kadenza::legacyBaud : kadenza::instrumentBaud);
        kadenza::bench::RequestCountingLine line(serial);
        outcome.completed = runJob(download.model, line, data, reporter);
        outcome.retries = line.retries();
    }
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (unplugging.joinable()) {
        unplugging.join();
    }

    const std::string after = nativeBytes(data);
    outcome.failed = reporter.failures > 0;
    outcome.wrong = outcome.completed ? after != expected || reporter.failures != 0
                                      : after != before || reporter.failures != 1;
    return outcome;
}

struct Tally {
    int downloads = 0;
    int completed = 0;
    int retries = 0;
    int failures = 0;
    int wrong = 0;
    double longest = 0;

    void add(const Outcome& outcome) {
        ++downloads;
        completed += outcome.completed ? 1 : 0;
        retries += outcome.retries;
        failures += outcome.failed ? 1 : 0;
        wrong += outcome.wrong ? 1 : 0;
        longest = std::max(longest, outcome.seconds);
    }
    void add(const Tally& other) {
        downloads += other.downloads;
        completed += other.completed;
        retries += other.retries;
        failures += other.failures;
        wrong += other.wrong;
        longest = std::max(longest, other.longest);
    }
};

void printHeading() {
    std::cout << std::left << std::setw(18) << "case" << std::setw(9) << "model" << std::right
              << std::setw(10) << "downloads" << std::setw(10) << "completed" << std::setw(9)
              << "retries" << std::setw(10) << "failures" << std::setw(7) << "wrong"
              << std::setw(12) << "longest s" << '\n';
}

void printRow(const std::string& name, const std::string& model, const Tally& tally) {
    std::cout << std::left << std::setw(18) << name << std::setw(9) << model << std::right
              << std::setw(10) << tally.downloads << std::setw(10) << tally.completed
              << std::setw(9) << tally.retries << std::setw(10) << tally.failures << std::setw(7)
              << tally.wrong << std::setw(12) << std::fixed << std::setprecision(2) << tally.longest
              << '\n'
              << std::flush;
}

struct SoakCase {
    std::string name;
    std::string faults;
    Disturbance disturbance;
};

std::vector<SoakCase> soakCases() {
    std::vector<SoakCase> cases;
    for (const FaultLevel& level : faultLevels) {
        cases.push_back({level.name, level.faults, Disturbance::None});
    }
    cases.push_back({"port vanishes", "", Disturbance::PortVanishes});
    cases.push_back({"instrument stalls", "", Disturbance::InstrumentStalls});
    cases.push_back({"user cancels", "", Disturbance::UserCancels});
    return cases;
}

bool appliesTo(const SoakCase& soakCase, int model) {
    // The Mx310.1 pushes its frame unasked: it cannot stall at a block, and its one progress
    // check a byte makes the cancel points the same as the vanishing port's.
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
                tally.add(runDownload({model, soakCase.faults, soakCase.disturbance, seed++},
                                      expected, random));
            }
            printRow(soakCase.name, modelName(model), tally);
            total.add(tally);
        }
    }
    printRow("all", "", total);
    return total.wrong == 0 ? 0 : 1;
}
