// Decoding figures: a sample image per model, and an image whose every byte is random, so
// that nearly every record slot holds a record.
#include <benchmark/benchmark.h>

#include <random>

#include "samples/SampleImages.h"
#include "translators/TranslatorFactory.h"

namespace {

std::vector<std::uint8_t> randomImage() {
    std::mt19937 random(7);
    std::vector<std::uint8_t> image(kadenza::imageSize);
    for (auto& byte : image) {
        byte = static_cast<std::uint8_t>(random());
    }
    return image;
}

void decode(benchmark::State& state, const std::vector<std::uint8_t>& image) {
    auto translator = kadenza::createTranslator(static_cast<int>(state.range(0)));
    translator->copyIn(image.data(), 0, kadenza::imageSize);
    kadenza::InstrumentData data;
    for (auto _ : state) {
        translator->decodeData(data);
        benchmark::DoNotOptimize(data.count());
    }
}

void decodeSample(benchmark::State& state) {
    decode(state, kadenza::samples::sampleImage(static_cast<int>(state.range(0))));
}
BENCHMARK(decodeSample)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

void decodeFullImage(benchmark::State& state) {
    decode(state, randomImage());
}
BENCHMARK(decodeFullImage)->DenseRange(1, 5)->Unit(benchmark::kMicrosecond);

}  // namespace
