#include "model/InstrumentData.h"

#include <algorithm>

#include "model/InstrumentNumber.h"
#include "model/XmlWriter.h"

namespace kadenza {

namespace {

// The smallest record of a bank: its type code, flag byte, item count and number.
constexpr std::int64_t smallestBankRecord = 4 + 1 + 4 + 4;

// A bank of the kind a stored type code names; none for any other code.
std::unique_ptr<InstrumentBank> bankOfType(std::int32_t typeCode) {
    if (typeCode == fourLetterCode("no. ")) {
        return std::make_unique<InstrumentNumber>(0);
    }
    if (typeCode == fourLetterCode("bank")) {
        return std::make_unique<InstrumentBank>(0);
    }
    return nullptr;
}

}  // namespace

InstrumentData::~InstrumentData() {
    clear();
}

InstrumentBank* InstrumentData::bank(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return banks_[index].get();
}

void InstrumentData::add(std::unique_ptr<InstrumentBank> bank) {
    if (bank) {
        banks_.push_back(std::move(bank));
    }
}

int InstrumentData::indexOfNumber(int number) const {
    for (int i = count() - 1; i >= 0; --i) {
        if (banks_[i]->number() == number) {
            return i;
        }
    }
    return -1;
}

void InstrumentData::clear() {
    while (!banks_.empty()) {
        banks_.pop_back();
    }
}

void InstrumentData::tidy() {
    banks_.erase(std::remove_if(banks_.begin(), banks_.end(),
                                [](const auto& bank) { return bank->count() == 0; }),
                 banks_.end());
    std::stable_sort(banks_.begin(), banks_.end(), [](const auto& left, const auto& right) {
        return left->number() < right->number();
    });
}

bool InstrumentData::remove(const InstrumentAbstract* node) {
    for (auto bank = banks_.begin(); bank != banks_.end(); ++bank) {
        if (bank->get() == node) {
            banks_.erase(bank);
            return true;
        }
        if ((*bank)->removeItem(node)) {
            return true;
        }
    }
    return false;
}

std::unique_ptr<InstrumentBank> InstrumentData::takeBank(int index) {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    std::unique_ptr<InstrumentBank> bank = std::move(banks_[index]);
    banks_.erase(banks_.begin() + index);
    return bank;
}

void InstrumentData::insertBank(int index, std::unique_ptr<InstrumentBank> bank) {
    if (bank && index >= 0 && index <= count()) {
        banks_.insert(banks_.begin() + index, std::move(bank));
    }
}

void InstrumentData::load(std::istream& stream) {
    readByte(stream);
    const std::int32_t bankCount = readInt(stream);
    // A type code of another kind makes no bank and the next four bytes are read as the next
    // type code; past the end of the file nothing more can be made.
    std::int32_t i = 0;
    for (; i < bankCount && !atEnd(stream); ++i) {
        auto bank = bankOfType(readInt(stream));
        if (bank) {
            bank->load(stream);
            add(std::move(bank));
        }
    }
    if (i < bankCount) {
        countMissing(stream, static_cast<std::int64_t>(bankCount - i) * smallestBankRecord);
    }
}

void InstrumentData::save(std::ostream& stream) const {
    writeByte(stream, 1);
    writeInt(stream, count());
    for (const auto& bank : banks_) {
        writeInt(stream, bank->typeCode());
        bank->save(stream);
    }
}

void InstrumentData::writeXml(std::ostream& stream) const {
    xmlOpen(stream, "Data");
    xmlInt(stream, "Count", count());
    for (const auto& bank : banks_) {
        bank->writeXml(stream);
    }
    xmlClose(stream, "Data");
}

}  // namespace kadenza
