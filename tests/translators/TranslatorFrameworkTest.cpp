#include <gtest/gtest.h>

#include "model/InstrumentNumber.h"
#include "model/InstrumentSetup.h"
#include "samples/SampleImages.h"
#include "translators/Fcs16.h"
#include "translators/InstrumentTranslator.h"
#include "translators/TranslatorFactory.h"

namespace kadenza {
namespace {

TEST(TranslatorFactory, KnowsTheFiveModelCodes) {
    const std::pair<int, std::string> models[] = {
        {1, "Mx340"}, {2, "Mx320"}, {3, "Mx310.2"}, {4, "Mx330"}, {5, "Mx350"}};
    for (const auto& [code, name] : models) {
        const auto translator = createTranslator(code);
        ASSERT_NE(translator, nullptr) << code;
        EXPECT_EQ(translator->modelName(), name);
        EXPECT_EQ(translator->dataSize() % blockSize, 0);
        EXPECT_EQ(translator->setupSize() % blockSize, 0);
        EXPECT_LE(translator->dataSize() + translator->setupSize(), imageSize);
    }
    EXPECT_EQ(createTranslator(0), nullptr);
    EXPECT_EQ(createTranslator(6), nullptr);
    EXPECT_EQ(createTranslator(-1), nullptr);
}

TEST(TranslatorFactory, OnlyTheMx340AndMx320StreamTheirData) {
    for (int code = 1; code <= 5; ++code) {
        EXPECT_EQ(createTranslator(code)->addressedRead(), code >= 3) << code;
    }
}

TEST(InstrumentTranslator, FreshImageIsAllOnes) {
    for (int code = 1; code <= 5; ++code) {
        const auto translator = createTranslator(code);
        for (int position = 0; position < imageSize; ++position) {
            ASSERT_EQ(translator->byteAt(position), -1);
        }
        EXPECT_EQ(translator->wordAt(100), 0xFFFF);
        InstrumentData data;
        data.add(std::make_unique<InstrumentBank>(1));
        translator->decodeData(data);
        EXPECT_EQ(data.count(), 0) << "an image no block reached decodes to nothing";
    }
}

// An erased setup area (all 0xFF, as a fresh image) reads as times beyond their range and
// negative table entries; the factory settings and those of a used instrument are in range.
TEST(InstrumentTranslator, ErasedSettingsAreOutOfRangeFactoryAndSampleOnesAreNot) {
    for (const int code : {3, 4}) {
        InstrumentSetup setup;
        createTranslator(code)->decodeSetup(setup);
        ASSERT_NE(setup.firstOutOfRange(), nullptr) << code;
        EXPECT_EQ(setup.firstOutOfRange(), setup.bank(0)->item(0)) << code;

        createTranslator(code)->defaultSetup(setup);
        EXPECT_EQ(setup.firstOutOfRange(), nullptr) << code;

        const auto sample = createTranslator(code);
        const std::vector<std::uint8_t> image = samples::sampleImage(code);
        sample->copyIn(image.data(), 0, imageSize);
        sample->decodeSetup(setup);
        EXPECT_EQ(setup.firstOutOfRange(), nullptr) << code;
    }
}

TEST(InstrumentTranslator, ImageAccessIsLittleEndianAndStaysInside) {
    auto translator = createTranslator(3);
    translator->setWordAt(10, 0x1234);
    EXPECT_EQ(translator->byteAt(10), 0x34);
    EXPECT_EQ(translator->byteAt(11), 0x12);
    translator->setByteAt(12, 0x80);
    EXPECT_EQ(translator->byteAt(12), -128);
    translator->setWordAt(12, -2);
    EXPECT_EQ(translator->wordAt(12), 0xFFFE);

    const std::uint8_t block[blockSize] = {1, 2, 3};
    translator->copyIn(block, 32 * 5, blockSize);
    std::uint8_t back[blockSize] = {};
    translator->copyOut(back, 32 * 5, blockSize);
    EXPECT_EQ(std::vector<std::uint8_t>(back, back + blockSize),
              std::vector<std::uint8_t>(block, block + blockSize));

    translator->setByteAt(imageSize, 0);
    translator->setWordAt(imageSize - 1, 0);
    EXPECT_EQ(translator->byteAt(imageSize), -1);
    EXPECT_EQ(translator->byteAt(imageSize - 1), 0);
    EXPECT_EQ(translator->byteAt(-1), -1);
    translator->copyOut(back, imageSize - 8, blockSize);
    EXPECT_EQ(back[7], 0);
    EXPECT_EQ(back[8], 0xFF) << "bytes past the image read as never written";
}

TEST(InstrumentTranslator, ClampingAndScaling) {
    EXPECT_EQ(clampCount(2000, 1999).count, 1999);
    EXPECT_TRUE(clampCount(2000, 1999).over);
    EXPECT_EQ(clampCount(-2000, 1999).count, -1999);
    EXPECT_TRUE(clampCount(-2000, 1999).over);
    EXPECT_FALSE(clampCount(1999, 1999).over);
    EXPECT_FALSE(clampCount(-1999, 1999).over);
    EXPECT_EQ(clampCount(10000, 9999).count, 9999);

    // In double precision 230 x 0.1 is 23.000000000000004; the extended product rounds to 23.
    EXPECT_EQ(scaleCount(230, -1), 23.0);
    EXPECT_EQ(scaleCount(3, -1), 0.3);
    EXPECT_EQ(scaleCount(-1500, 6), -1.5e9);
    EXPECT_EQ(scaleCount(7, -12), 7e-12);
}

TEST(InstrumentTranslator, BankForKeepsOneBankPerNumber) {
    InstrumentData data;
    InstrumentBank& first = bankFor(data, 5);
    first.add(std::make_unique<InstrumentItem>(1, 1, true, false));
    EXPECT_EQ(&bankFor(data, 5), &first);
    ASSERT_EQ(first.count(), 2);
    EXPECT_EQ(first.item(0)->value(), 5);
    EXPECT_EQ(first.item(0)->symbol(), 0);
    EXPECT_FALSE(first.item(0)->isPrimary());

    InstrumentBank& numbered = numberedBankFor(data, 17);
    EXPECT_NE(dynamic_cast<InstrumentNumber*>(&numbered), nullptr);
    EXPECT_EQ(numbered.item(0)->symbol(), 30);
}

TEST(Fcs16, SealedFramesRunToTheResidue) {
    // An identification reply for model 3 as it comes over the line.
    const std::uint8_t reply[] = {0xAA, 0x03, 0x00, 0x09, 0x90};
    EXPECT_EQ(fcs16(reply, sizeof reply), fcs16Residue);
    const std::uint8_t request[] = {0xAB, 0xFC, 0x00, 0x15, 0x35};
    EXPECT_EQ(fcs16(request, sizeof request), fcs16Residue);
}

}  // namespace
}  // namespace kadenza
