// A full download from kadenza-sim keeping the real line rate, against the floor the line
// itself sets: every byte exchanged takes 10 bit times at 19200 baud. The ratio shows what
// the protocol engine adds to the wire time.
#include <benchmark/benchmark.h>

#include <chrono>

#include "link/PosixSerialLine.h"
#include "link/ProtocolBytes.h"
#include "link/TransferJobs.h"
#include "support/SilentReporter.h"
#include "support/SimulatorProcess.h"

namespace {

// Counts the bytes that cross the line in either direction.
class CountingLine : public kadenza::SerialLine {
  public:
    explicit CountingLine(kadenza::SerialLine& line) : line_(line) {}
    bool sendByte(std::uint8_t byte) override {
        ++bytes;
        return line_.sendByte(byte);
    }
    int receiveByte() override {
        const int byte = line_.receiveByte();
        bytes += byte >= 0 ? 1 : 0;
        return byte;
    }
    void purge() override { line_.purge(); }
    void settle() override { line_.settle(); }

    long bytes = 0;

  private:
    kadenza::SerialLine& line_;
};

void pacedDownload(benchmark::State& state) {
    const int model = static_cast<int>(state.range(0));
    kadenza::test::SimulatorProcess simulator(
        {"--model", std::to_string(model), "--sample", "--pace", "--timeout", "120"});
    const std::string port = simulator.firstLine();
    double seconds = 0;
    long bytes = 0;
    for (auto _ : state) {
        kadenza::PosixSerialLine serial(port);
        CountingLine line(serial);
        kadenza::InstrumentTransfer transfer(line);
        kadenza::InstrumentData data;
        kadenza::test::SilentReporter reporter;
        const auto start = std::chrono::steady_clock::now();
        if (!kadenza::runReadData(transfer, data, reporter) || reporter.failed) {
            state.SkipWithError("download failed");
            return;
        }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        bytes += line.bytes;
    }
    const double floorSeconds = bytes * 10.0 / kadenza::instrumentBaud;
    state.counters["bytes"] = static_cast<double>(bytes) / state.iterations();
    state.counters["floor_s"] = floorSeconds / state.iterations();
    state.counters["ratio"] = seconds / floorSeconds;
}
// 1 and 2 stream their data, 3 to 5 are read block by block.
BENCHMARK(pacedDownload)->DenseRange(1, 5)->Iterations(1)->UseRealTime()->Unit(benchmark::kSecond);

}  // namespace
