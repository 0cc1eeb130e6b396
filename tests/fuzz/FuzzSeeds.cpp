// Writes the seed corpus of every fuzz target into the folder given: sample memory images,
// native files with and without inspection details, details as texts, a legacy frame, and
// the replies a healthy instrument sends.
//   fuzz_seeds FOLDER
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "inspection/InspectionFile.h"
#include "model/InstrumentBank.h"
#include "samples/SampleImages.h"
#include "sim/InstrumentFrames.h"
#include "translators/TranslatorFactory.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

constexpr int firstModel = 1;
constexpr int lastModel = 5;
constexpr int streamedModel = 4;

class Corpus {
  public:
    Corpus(const fs::path& folder, const std::string& target) : folder_(folder / target) {
        fs::create_directories(folder_);
    }

    void add(const Bytes& bytes) {
        std::ofstream file(nextPath(), std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
    }
    void add(const std::string& text) { add(Bytes(text.begin(), text.end())); }
    std::string nextPath() { return (folder_ / ("seed-" + std::to_string(next_++))).string(); }

  private:
    fs::path folder_;
    int next_ = 0;
};

void append(Bytes& to, const Bytes& from) {
    to.insert(to.end(), from.begin(), from.end());
}

void decodeSample(int modelCode, kadenza::InstrumentData& data) {
    auto translator = kadenza::createTranslator(modelCode);
    const Bytes image = kadenza::samples::sampleImage(modelCode);
    translator->copyIn(image.data(), 0, kadenza::imageSize);
    translator->decodeData(data);
}

Bytes nativeFileOf(int modelCode) {
    kadenza::InstrumentData data;
    decodeSample(modelCode, data);
    std::ostringstream stream;
    data.save(stream);
    const std::string text = stream.str();
    return Bytes(text.begin(), text.end());
}

// Everything a healthy instrument of the model sends during a data download.
Bytes downloadReplies(int modelCode) {
    auto translator = kadenza::createTranslator(modelCode);
    const Bytes image = kadenza::samples::sampleImage(modelCode);
    Bytes replies = kadenza::sim::numericIdentification(modelCode);
    const int blocks = translator->dataSize() / kadenza::blockSize;
    for (int block = 0; block < blocks; ++block) {
        const std::uint8_t* data = &image[block * kadenza::blockSize];
        append(replies, translator->addressedRead()
                            ? kadenza::sim::addressedFrame(0xAB, block, data)
                            : kadenza::sim::streamedFrame(block, data));
    }
    return replies;
}

void writeTranslatorSeeds(const fs::path& folder) {
    Corpus corpus(folder, "translator");
    for (int model = firstModel; model <= lastModel; ++model) {
        Bytes seed{static_cast<std::uint8_t>(model - 1)};
        append(seed, kadenza::samples::sampleImage(model));
        corpus.add(seed);
    }
}

void writeNativeFileSeeds(const fs::path& folder) {
    Corpus corpus(folder, "native_file");
    for (int model = firstModel; model <= lastModel; ++model) {
        corpus.add(nativeFileOf(model));
    }
}

void writeLegacyFrameSeeds(const fs::path& folder) {
    Corpus corpus(folder, "legacy_frame");
    corpus.add(kadenza::samples::sampleLegacyFrame());
}

// Each seed starts with what the program waits for and the block it asked for, in the order
// the link target knows them.
void writeLinkSeeds(const fs::path& folder) {
    Corpus corpus(folder, "link_receive");
    const Bytes image = kadenza::samples::sampleImage(streamedModel);
    const std::uint8_t block = 3;
    for (int model = firstModel; model <= lastModel; ++model) {
        Bytes identification{0, 0};
        append(identification, kadenza::sim::numericIdentification(model));
        corpus.add(identification);
    }
    Bytes text{0, 0};
    append(text, kadenza::sim::textIdentification(firstModel));
    corpus.add(text);
    Bytes addressed{1, block};
    append(addressed,
           kadenza::sim::addressedFrame(0xAB, block, &image[block * kadenza::blockSize]));
    corpus.add(addressed);
    Bytes streamed{2, block};
    append(streamed, kadenza::sim::streamedFrame(block, &image[block * kadenza::blockSize]));
    corpus.add(streamed);
    corpus.add(Bytes{3, block, 0xAC});
    for (int model = firstModel; model <= lastModel; ++model) {
        Bytes download{4, 0};
        append(download, downloadReplies(model));
        corpus.add(download);
    }
    Bytes legacy{5, 0, 'A'};
    append(legacy, kadenza::samples::sampleLegacyFrame());
    corpus.add(legacy);
}

// Details a technician gives: the inspection's, and every bank's circuit.
kadenza::DetailsDocument detailsFor(const kadenza::InstrumentData& data) {
    kadenza::DetailsDocument details;
    for (const auto& [name, value] :
         {std::pair("inspection.client", "Nováková <a> & \"Sever\""),
          std::pair("inspection.date", "2026-12-07"),
          std::pair("inspection.nextDate", "2031-12-07"),
          std::pair("inspection.profile", "installation-2016"),
          std::pair("inspection.loopFactor", "2/3"), std::pair("inspection.remarks", "R\nS")}) {
        details.set(name, value);
    }
    for (int b = 0; b < data.count(); ++b) {
        const std::string bank = "bank." + std::to_string(data.bank(b)->number()) + ".";
        for (const auto& [name, value] :
             {std::pair("label", "Kuchyně"), std::pair("device", "B16"),
              std::pair("rcdCurrent", "30"), std::pair("rcdType", "A"),
              std::pair("rcdSelective", "no"), std::pair("earthing", "TN-C-S"),
              std::pair("nominalVoltage", "230"), std::pair("peLimit", "0,5"),
              std::pair("applianceClass", "I"), std::pair("cordLength", "5")}) {
            details.set(bank + name, value);
        }
    }
    return details;
}

// Every model's sample saved with its details, for the targets that read data files whole.
void writeInspectionFileSeeds(const fs::path& folder, const std::string& target) {
    Corpus corpus(folder, target);
    for (int model = firstModel; model <= lastModel; ++model) {
        kadenza::InstrumentData data;
        decodeSample(model, data);
        kadenza::saveInspectionFile(corpus.nextPath(), data, detailsFor(data));
    }
}

void writeDetailsTextSeeds(const fs::path& folder) {
    Corpus corpus(folder, "details_text");
    kadenza::InstrumentData data;
    decodeSample(streamedModel, data);
    corpus.add(detailsFor(data).toJson());
    corpus.add(detailsFor(data).toJson(true));
    corpus.add(std::string(R"({"version":1,"tool":{"x":[1,2.5,"a",null,true]}})"));
    for (const char* assignment : {"bank.1.nominalVoltage=120,5", "inspection.date=2024-02-29",
                                   "bank.3.device=b1,6a", "bank.2.rcdCurrent=30"}) {
        corpus.add(std::string(assignment));
    }
}

// Each seed names a kind of path, a mode and a name length, then the content.
void writeSavePathSeeds(const fs::path& folder) {
    Corpus corpus(folder, "save_path");
    const Bytes content = nativeFileOf(firstModel);
    for (std::uint8_t named = 0; named < 9; ++named) {
        Bytes seed{named, 0644 & 0177, 20};
        append(seed, content);
        corpus.add(seed);
    }
    corpus.add(Bytes{0, 0, 254});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: fuzz_seeds FOLDER\n";
        return 1;
    }
    const fs::path folder = argv[1];
    writeTranslatorSeeds(folder);
    writeNativeFileSeeds(folder);
    writeLegacyFrameSeeds(folder);
    writeLinkSeeds(folder);
    writeSavePathSeeds(folder);
    writeInspectionFileSeeds(folder, "inspection_file");
    writeInspectionFileSeeds(folder, "report");
    writeDetailsTextSeeds(folder);
    return 0;
}
