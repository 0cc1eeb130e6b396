#include "model/InstrumentItem.h"

#include <cmath>
#include <ostream>

#include "model/NumberText.h"
#include "model/QuantityTable.h"
#include "model/XmlWriter.h"

namespace kadenza {

namespace {

struct Prefix {
    double multiplier;
    const char* text;
};

// Engineering prefix for a decade (the truncated log10 of the magnitude). Kilo starts at
// 10000, so four-digit values keep the plain form.
Prefix prefixFor(int decade) {
    if (decade >= -6 && decade <= -4) {
        return {1e6, " μ"};
    }
    if (decade >= -3 && decade <= -1) {
        return {1e3, " m"};
    }
    if (decade >= 4 && decade <= 5) {
        return {1e-3, " k"};
    }
    if (decade >= 6 && decade <= 8) {
        return {1e-6, " M"};
    }
    if (decade >= 9 && decade <= 11) {
        return {1e-9, " G"};
    }
    return {1, " "};
}

int decadeOf(double value) {
    const double magnitude = std::fabs(value);
    if (!(magnitude > 1e-11) || std::isinf(magnitude)) {
        return 0;
    }
    return static_cast<int>(std::trunc(std::log10(magnitude)));
}

double numericMultiplier(int flags) {
    switch (flags) {
        case 8:
            return 1e6;
        case 9:
            return 1e3;
        case 11:
            return 1e-3;
        case 12:
            return 1e-6;
        case 13:
            return 1e-9;
        default:
            return 1;
    }
}

std::optional<std::string> copyToFirstZero(std::optional<std::string> text) {
    if (text) {
        text->erase(std::min(text->find('\0'), text->size()));
    }
    return text;
}

}  // namespace

InstrumentItem::InstrumentItem(double value, int symbol, std::optional<std::string> note,
                               bool primary, bool over)
    : value_(value),
      symbol_(symbol < 0 ? 0 : symbol),
      note_(copyToFirstZero(std::move(note))),
      primary_(primary),
      over_(over) {}

InstrumentItem::InstrumentItem(double value, int symbol, bool primary, bool over)
    : InstrumentItem(value, symbol, std::nullopt, primary, over) {}

InstrumentItem::InstrumentItem(const InstrumentItem& other)
    : InstrumentAbstract(other),
      PropertiesAbstract(other),
      value_(other.value_),
      symbol_(other.symbol_),
      note_(other.note_),
      primary_(other.isPrimary()),
      over_(other.over_) {}

std::unique_ptr<InstrumentAbstract> InstrumentItem::clone() const {
    return std::make_unique<InstrumentItem>(*this);
}

const std::string& InstrumentItem::noteOrEmpty() const {
    static const std::string empty;
    return note_ ? *note_ : empty;
}

void InstrumentItem::setNote(std::optional<std::string> note) {
    note_ = copyToFirstZero(std::move(note));
}

std::string InstrumentItem::symbolText() const {
    return quantityFor(symbol_).symbol;
}

std::string InstrumentItem::unitText() const {
    return quantityFor(symbol_).unit;
}

std::string InstrumentItem::rangeMark() const {
    if (!over_) {
        return "";
    }
    return value_ >= 0 ? ">" : "<";
}

std::string InstrumentItem::valueText() const {
    if (!quantityFor(symbol_).scaled) {
        return rangeMark() + realText(value_);
    }
    const Prefix prefix = prefixFor(decadeOf(value_));
    return rangeMark() + realText(value_ * prefix.multiplier) + prefix.text;
}

std::string InstrumentItem::text(int flags) const {
    if (flags >= 8) {
        return numericText(flags);
    }
    std::string result;
    if (flags & showSymbol) {
        result += symbolText();
        if (!over_) {
            result += "=";
        }
    }
    result += valueText();
    if (flags & showUnit) {
        result += unitText();
    }
    if (flags & showNote) {
        result += " " + noteOrEmpty();
    }
    return result;
}

std::string InstrumentItem::numericText(int flags) const {
    const double scaled = value_ * numericMultiplier(flags);
    if (scaled > 10000) {
        return exponentText(scaled);
    }
    if (scaled >= 0.001 || scaled == 0) {
        return decimalsText(scaled);
    }
    return exponentText(scaled);
}

void InstrumentItem::load(std::istream& stream) {
    readByte(stream);
    value_ = readDouble(stream);
    symbol_ = readInt(stream);
    note_ = copyToFirstZero(readText(stream));
    primary_ = readByte(stream) != 0;
    over_ = readByte(stream) != 0;
}

void InstrumentItem::save(std::ostream& stream) const {
    writeByte(stream, 1);
    writeDouble(stream, value_);
    writeInt(stream, symbol_);
    writeText(stream, note_ ? &*note_ : nullptr);
    writeByte(stream, primary_ ? 1 : 0);
    writeByte(stream, over_ ? 1 : 0);
}

void InstrumentItem::writeXml(std::ostream& stream) const {
    xmlOpen(stream, "Item");
    xmlReal(stream, "Value", value_);
    xmlInt(stream, "Symbol", symbol_);
    xmlText(stream, "Note", note_);
    xmlFlag(stream, "Primary", primary_);
    xmlFlag(stream, "Over", over_);
    xmlClose(stream, "Item");
}

}  // namespace kadenza
