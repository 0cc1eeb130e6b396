#pragma once

#include <memory>
#include <string>

namespace kadenza {

// Column bits of the display text: symbol (or the bank word), unit, note.
constexpr int showSymbol = 1;
constexpr int showUnit = 2;
constexpr int showNote = 4;
constexpr int showAllColumns = showSymbol | showUnit | showNote;

// A node of the measured-data model (a bank or an item) that renders itself as display text:
// UTF-8 with style codes.
class InstrumentAbstract {
  public:
    virtual ~InstrumentAbstract() = default;

    virtual std::string text(int flags) const = 0;
    virtual bool isPrimary() const { return false; }
    virtual std::unique_ptr<InstrumentAbstract> clone() const = 0;
};

}  // namespace kadenza
