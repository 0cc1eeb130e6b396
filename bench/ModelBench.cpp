// Rendering and file figures for a container as large as a full instrument memory brings.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "inspection/Evaluation.h"
#include "model/NativeFile.h"
#include "support/SampleData.h"

namespace {

constexpr int itemCount = 2000;

void renderAllRows(benchmark::State& state) {
    const auto data = kadenza::test::largeData(itemCount);
    for (auto _ : state) {
        std::size_t characters = 0;
        for (int b = 0; b < data->count(); ++b) {
            const auto& bank = *data->bank(b);
            characters += bank.text(kadenza::showAllColumns).size();
            for (int i = 0; i < bank.count(); ++i) {
                characters += bank.item(i)->text(kadenza::showAllColumns).size();
            }
        }
        benchmark::DoNotOptimize(characters);
    }
    state.SetItemsProcessed(state.iterations() * itemCount);
}
BENCHMARK(renderAllRows)->Unit(benchmark::kMillisecond);

void saveAndOpen(benchmark::State& state) {
    const auto data = kadenza::test::largeData(itemCount);
    const std::string path = "kadenza-bench.tso";
    kadenza::InstrumentData loaded;
    for (auto _ : state) {
        kadenza::saveNativeFile(path, *data);
        kadenza::openNativeFile(path, loaded);
    }
    std::remove(path.c_str());
    state.SetItemsProcessed(state.iterations() * itemCount);
}
BENCHMARK(saveAndOpen)->Unit(benchmark::kMillisecond);

// Every item judged, every bank a circuit with its protective device and RCD, so that the
// rules that read the details and the notes all run.
void evaluateAllItems(benchmark::State& state) {
    const auto data = kadenza::test::largeData(itemCount);
    kadenza::DetailsDocument details;
    for (int b = 0; b < data->count(); ++b) {
        const std::string bank = "bank." + std::to_string(data->bank(b)->number()) + ".";
        details.set(bank + "device", "B16");
        details.set(bank + "rcdCurrent", "30");
        details.set(bank + "rcdType", "A");
        details.set(bank + "earthing", "TN");
    }
    for (auto _ : state) {
        const kadenza::Evaluation evaluation =
            kadenza::evaluate(*data, details, kadenza::installation2016Profile);
        benchmark::DoNotOptimize(evaluation.counts.pass);
    }
    state.SetItemsProcessed(state.iterations() * itemCount);
}
BENCHMARK(evaluateAllItems)->Unit(benchmark::kMillisecond);

}  // namespace
