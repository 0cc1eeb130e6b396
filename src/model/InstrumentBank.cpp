#include "model/InstrumentBank.h"

#include <algorithm>

#include "model/XmlWriter.h"

namespace kadenza {

namespace {

// The smallest record of an item: its flag byte, value, symbol, an empty note's length and
// its two flags.
constexpr std::int64_t smallestItemRecord = 1 + 8 + 4 + 4 + 1 + 1;

}  // namespace

InstrumentBank::InstrumentBank(int number) : number_(number) {}

InstrumentBank::InstrumentBank(const InstrumentBank& other)
    : InstrumentAbstract(other), PropertiesAbstract(other), number_(other.number_) {
    for (const auto& item : other.items_) {
        add(std::make_unique<InstrumentItem>(*item));
    }
}

InstrumentBank::~InstrumentBank() {
    clear();
}

std::string InstrumentBank::text(int flags) const {
    const std::string number = std::to_string(number_);
    return (flags & showSymbol) ? "Bank " + number : number;
}

std::unique_ptr<InstrumentAbstract> InstrumentBank::clone() const {
    return std::make_unique<InstrumentBank>(*this);
}

InstrumentItem* InstrumentBank::item(int index) const {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    return items_[index].get();
}

void InstrumentBank::add(std::unique_ptr<InstrumentItem> item) {
    if (item) {
        items_.push_back(std::move(item));
    }
}

bool InstrumentBank::removeItem(const InstrumentAbstract* item) {
    const auto found = std::find_if(items_.begin(), items_.end(),
                                    [item](const auto& own) { return own.get() == item; });
    if (found == items_.end()) {
        return false;
    }
    items_.erase(found);
    return true;
}

std::unique_ptr<InstrumentItem> InstrumentBank::takeItem(int index) {
    if (index < 0 || index >= count()) {
        return nullptr;
    }
    std::unique_ptr<InstrumentItem> item = std::move(items_[index]);
    items_.erase(items_.begin() + index);
    return item;
}

void InstrumentBank::insertItem(int index, std::unique_ptr<InstrumentItem> item) {
    if (item && index >= 0 && index <= count()) {
        items_.insert(items_.begin() + index, std::move(item));
    }
}

void InstrumentBank::clear() {
    while (!items_.empty()) {
        items_.pop_back();
    }
}

void InstrumentBank::load(std::istream& stream) {
    readByte(stream);
    const std::int32_t itemCount = readInt(stream);
    number_ = readInt(stream);
    // An item that would start past the end of the file is not made, so a corrupt count
    // cannot create more items than the file holds.
    std::int32_t i = 0;
    for (; i < itemCount && !atEnd(stream); ++i) {
        auto item = std::make_unique<InstrumentItem>(0.0, 0, true, false);
        item->load(stream);
        add(std::move(item));
    }
    if (i < itemCount) {
        countMissing(stream, static_cast<std::int64_t>(itemCount - i) * smallestItemRecord);
    }
}

void InstrumentBank::save(std::ostream& stream) const {
    writeByte(stream, 1);
    writeInt(stream, count());
    writeInt(stream, number_);
    for (const auto& item : items_) {
        item->save(stream);
    }
}

void InstrumentBank::writeXml(std::ostream& stream) const {
    writeXmlAs(stream, "Bank");
}

void InstrumentBank::writeXmlAs(std::ostream& stream, const char* element) const {
    xmlOpen(stream, element);
    xmlInt(stream, "Count", count());
    xmlInt(stream, "Number", number_);
    for (const auto& item : items_) {
        item->writeXml(stream);
    }
    xmlClose(stream, element);
}

}  // namespace kadenza
