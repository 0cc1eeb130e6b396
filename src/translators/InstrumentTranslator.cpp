#include "translators/InstrumentTranslator.h"

#include <cmath>

#include "model/InstrumentNumber.h"
#include "model/QuantityTable.h"
#include "translators/Fcs16.h"

namespace kadenza {

namespace {

bool inImage(int position) {
    return position >= 0 && position < imageSize;
}

}  // namespace

InstrumentTranslator::InstrumentTranslator() {
    image_.fill(0xFF);
}

void InstrumentTranslator::decodeData(InstrumentData& data) const {
    data.clear();
    for (int slot = 0; slot < recordSlots(); ++slot) {
        const int bankByte = slotBankByte(slot);
        if (bankByte != 0xFF) {
            decodeRecord(slot, bankFor(data, bankByte + 1));
        }
    }
    data.tidy();
}

int InstrumentTranslator::byteAt(int position) const {
    return inImage(position) ? static_cast<std::int8_t>(image_[position]) : -1;
}

void InstrumentTranslator::setByteAt(int position, int value) {
    if (inImage(position)) {
        image_[position] = static_cast<std::uint8_t>(value);
    }
}

int InstrumentTranslator::wordAt(int position) const {
    return (byteAt(position) & 0xFF) | (byteAt(position + 1) & 0xFF) << 8;
}

void InstrumentTranslator::setWordAt(int position, int value) {
    setByteAt(position, value & 0xFF);
    setByteAt(position + 1, (value >> 8) & 0xFF);
}

void InstrumentTranslator::copyOut(std::uint8_t* destination, int position, int length) const {
    for (int i = 0; i < length; ++i) {
        destination[i] = static_cast<std::uint8_t>(byteAt(position + i));
    }
}

void InstrumentTranslator::copyIn(const std::uint8_t* source, int position, int length) {
    for (int i = 0; i < length; ++i) {
        setByteAt(position + i, source[i]);
    }
}

void InstrumentTranslator::sealSetupBlock(int position) {
    constexpr int sealed = blockSize - 2;
    if (!inImage(position) || !inImage(position + blockSize - 1)) {
        return;
    }
    const std::uint16_t check = ~fcs16(&image_[position], sealed);
    setWordAt(position + sealed, check);
}

namespace {

template <typename Bank>
InstrumentBank& findOrAddBank(InstrumentData& data, int number, int numberQuantity) {
    const int index = data.indexOfNumber(number);
    if (index >= 0) {
        return *data.bank(index);
    }
    auto bank = std::make_unique<Bank>(number);
    bank->add(std::make_unique<InstrumentItem>(number, numberQuantity, false, false));
    InstrumentBank& added = *bank;
    data.add(std::move(bank));
    return added;
}

}  // namespace

InstrumentBank& bankFor(InstrumentData& data, int number) {
    return findOrAddBank<InstrumentBank>(data, number, bankNumberQuantity);
}

InstrumentBank& numberedBankFor(InstrumentData& data, int number) {
    return findOrAddBank<InstrumentNumber>(data, number, instrumentNumberQuantity);
}

ClampedCount clampCount(int count, int limit) {
    if (count > limit) {
        return {limit, true};
    }
    if (count < -limit) {
        return {-limit, true};
    }
    return {count, false};
}

double scaleCount(int count, int powerOfTen) {
    // Extended-precision constants, as the decimal literals of the instruments' software were.
    static constexpr long double powers[] = {1e-6L, 1e-5L, 1e-4L, 1e-3L, 1e-2L, 1e-1L, 1.0L, 1e1L,
                                             1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L, 1e9L};
    constexpr int lowest = -6;
    const int index = powerOfTen - lowest;
    const long double scale = index >= 0 && index < static_cast<int>(std::size(powers))
                                  ? powers[index]
                                  : std::pow(10.0L, static_cast<long double>(powerOfTen));
    return static_cast<double>(static_cast<long double>(count) * scale);
}

}  // namespace kadenza
