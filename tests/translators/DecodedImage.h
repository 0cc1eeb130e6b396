#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"
#include "samples/MemoryImage.h"
#include "translators/InstrumentTranslator.h"

namespace kadenza::test {

inline void load(InstrumentTranslator& translator, const samples::MemoryImage& image) {
    translator.copyIn(image.bytes().data(), 0, imageSize);
}

// What the model's translator makes of the image.
template <typename Translator>
std::unique_ptr<InstrumentData> decodeWith(const samples::MemoryImage& image) {
    Translator translator;
    load(translator, image);
    auto data = std::make_unique<InstrumentData>();
    translator.decodeData(*data);
    return data;
}

// The items of the only bank, without its number item; none when the image makes no single
// bank.
template <typename Translator>
std::vector<InstrumentItem> measuredItems(const samples::MemoryImage& image) {
    const auto data = decodeWith<Translator>(image);
    std::vector<InstrumentItem> items;
    if (data->count() == 1) {
        for (int i = 1; i < data->bank(0)->count(); ++i) {
            items.push_back(*data->bank(0)->item(i));
        }
    }
    return items;
}

// What a decoded memory holds: its bank numbers, the records (primary items) and the
// over-range readings.
struct Contents {
    std::vector<int> banks;
    int records = 0;
    int over = 0;
};

inline Contents contentsOf(const InstrumentData& data) {
    Contents contents;
    for (int b = 0; b < data.count(); ++b) {
        contents.banks.push_back(data.bank(b)->number());
        for (int i = 0; i < data.bank(b)->count(); ++i) {
            contents.records += data.bank(b)->item(i)->isPrimary();
            contents.over += data.bank(b)->item(i)->isOver();
        }
    }
    return contents;
}

// A model without settings leaves a setup as it was and writes nothing into its image.
template <typename Translator>
void expectNoSettings() {
    Translator translator;
    InstrumentSetup setup;
    setup.add(std::make_unique<InstrumentSetupBank>(7));
    translator.decodeSetup(setup);
    translator.defaultSetup(setup);
    translator.encodeSetup(setup);
    ASSERT_EQ(setup.count(), 1);
    EXPECT_EQ(setup.bank(0)->id(), 7);
    for (int position = 0; position < imageSize; ++position) {
        ASSERT_EQ(translator.byteAt(position), -1) << position;
    }
}

// One record of a model that keeps one value a record, and the item it must give.
struct Reading {
    int kind;
    int count;
    double value;
    int quantity;
    const char* note;
    bool over;
};

// Stores every reading in a bank of its own (bank i + 1 in slot i) and checks each bank's
// measured item, which follows the bank's number item.
template <typename Translator, typename Image>
void expectReadings(const std::vector<Reading>& readings) {
    Image image;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        image.record(static_cast<int>(i), static_cast<int>(i) + 1, readings[i].kind,
                     readings[i].count);
    }
    const auto data = decodeWith<Translator>(image);
    ASSERT_EQ(data->count(), static_cast<int>(readings.size()));
    for (std::size_t i = 0; i < readings.size(); ++i) {
        const Reading& expected = readings[i];
        SCOPED_TRACE("kind " + std::to_string(expected.kind));
        const InstrumentBank& bank = *data->bank(static_cast<int>(i));
        ASSERT_EQ(bank.count(), 2);
        const InstrumentItem& item = *bank.item(1);
        EXPECT_DOUBLE_EQ(item.value(), expected.value);
        EXPECT_EQ(item.symbol(), expected.quantity);
        EXPECT_EQ(item.noteOrEmpty(), expected.note == nullptr ? "" : expected.note);
        EXPECT_TRUE(item.isPrimary());
        EXPECT_EQ(item.isOver(), expected.over);
    }
}

// Kinds without a measurement still make their bank, holding only its number item.
template <typename Translator, typename Image>
void expectNoItemFor(const std::vector<int>& kinds) {
    Image image;
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        image.record(static_cast<int>(i), static_cast<int>(i) + 1, kinds[i], 100);
    }
    const auto data = decodeWith<Translator>(image);
    ASSERT_EQ(data->count(), static_cast<int>(kinds.size()));
    for (int b = 0; b < data->count(); ++b) {
        EXPECT_EQ(data->bank(b)->count(), 1) << "kind " << kinds[b];
    }
}

// `count` words of the image from `position`, as the setup area keeps its tables.
inline std::vector<int> words(const InstrumentTranslator& translator, int position, int count) {
    std::vector<int> result;
    for (int k = 0; k < count; ++k) {
        result.push_back(translator.wordAt(position + 2 * k));
    }
    return result;
}

// A setup group of items of one kind with these values and no range.
inline std::unique_ptr<InstrumentSetupBank> group(int id, int kind,
                                                  const std::vector<float>& values) {
    auto bank = std::make_unique<InstrumentSetupBank>(id);
    for (const float value : values) {
        bank->add(std::make_unique<InstrumentSetupItem>(kind, value, u"", 0, 0, true));
    }
    return bank;
}

}  // namespace kadenza::test
