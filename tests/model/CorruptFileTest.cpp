#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "model/BinaryIo.h"
#include "model/NativeFile.h"
#include "support/SampleData.h"

namespace kadenza {
namespace {

std::string sampleBytes() {
    std::ostringstream section;
    test::sampleData()->save(section);
    std::ostringstream header;
    for (const std::int32_t word :
         {fourLetterCode("TSO3"), fourLetterCode("data"), fourLetterCode("data"), 64}) {
        writeInt(header, word);
    }
    return header.str() + std::string(48, '\0') + section.str();
}

// Everything a reader of an opened file touches, so that a broken item is actually used.
std::size_t renderEverything(const InstrumentData& data) {
    std::size_t size = 0;
    for (int b = 0; b < data.count(); ++b) {
        size += data.bank(b)->text(showAllColumns).size();
        for (int i = 0; i < data.bank(b)->count(); ++i) {
            size += data.bank(b)->item(i)->text(showAllColumns).size();
            size += data.bank(b)->item(i)->text(10).size();
        }
    }
    return size;
}

std::string mutate(std::string bytes, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:
                bytes.erase(at, 1 + random() % 16);
                break;
            case 2:
                bytes.insert(at, std::string(1 + random() % 8, static_cast<char>(random())));
                break;
            case 3:
                // A count or length word turned huge or negative.
                bytes.replace(at, std::min<std::size_t>(4, bytes.size() - at),
                              random() % 2 ? "\xFF\xFF\xFF\x7F" : "\x00\x00\x00\x80");
                break;
            default:
                bytes.resize(at);
        }
    }
    return bytes;
}

TEST(CorruptFile, ThousandsOfMutatedFilesOpenOrAreRefusedSafely) {
    const std::string good = sampleBytes();
    std::mt19937 random(20261207);
    int opened = 0;
    for (int round = 0; round < 5000; ++round) {
        const std::string bytes = mutate(good, random);
        InstrumentData data;
        if (openNativeBytes(bytes, data)) {
            ++opened;
            EXPECT_GE(renderEverything(data), 0u);
        }
    }
    EXPECT_GT(opened, 1000) << "most mutations keep the header and must still open";
}

TEST(CorruptFile, HugeCountsAndLengthsAllocateNoMoreThanTheFileHolds) {
    std::string bytes = sampleBytes();
    // Bank count, first bank's item count, first note length: all near 2^31.
    bytes.replace(65, 4, "\xFF\xFF\xFF\x7F");
    bytes.replace(69 + 5, 4, "\xFF\xFF\xFF\x7F");
    const std::size_t firstNote = 69 + 4 + 9 + 13;
    bytes.replace(firstNote, 4, "\xFF\xFF\xFF\x7F");
    InstrumentData data;
    ASSERT_TRUE(openNativeBytes(bytes, data));
    ASSERT_EQ(data.count(), 1);
    EXPECT_EQ(data.bank(0)->count(), 1);
    EXPECT_LT(data.bank(0)->item(0)->noteOrEmpty().size(), bytes.size());
}

}  // namespace
}  // namespace kadenza
