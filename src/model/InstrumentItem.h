#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/BinaryIo.h"
#include "model/InstrumentAbstract.h"
#include "model/PropertiesAbstract.h"

namespace kadenza {

// One measured value: a reading in the base unit of its quantity, the quantity code, an
// optional note and two flags. `primary` opens a measurement record; `over` marks a reading
// beyond the instrument's range.
class InstrumentItem : public InstrumentAbstract, public PropertiesAbstract {
  public:
    static constexpr std::int32_t typeCode = fourLetterCode("inst");

    // A negative quantity code is stored as 0.
    InstrumentItem(double value, int symbol, std::optional<std::string> note, bool primary,
                   bool over);
    InstrumentItem(double value, int symbol, bool primary, bool over);
    InstrumentItem(const InstrumentItem& other);
    InstrumentItem& operator=(const InstrumentItem&) = delete;

    // Flags 0 to 7 pick the columns (showSymbol, showUnit, showNote); 8 to 13 give the value
    // alone as a number, scaled by 1e6, 1e3, 1, 1e-3, 1e-6 or 1e-9.
    std::string text(int flags) const override;
    bool isPrimary() const override { return primary_; }
    std::unique_ptr<InstrumentAbstract> clone() const override;
    std::string valueOnlyText() const { return text(0); }

    void load(std::istream& stream) override;
    void save(std::ostream& stream) const override;
    void writeXml(std::ostream& stream) const override;

    double value() const { return value_; }
    int symbol() const { return symbol_; }
    const std::optional<std::string>& note() const { return note_; }
    const std::string& noteOrEmpty() const;
    bool isOver() const { return over_; }
    // Keeps a private copy up to the first zero byte; none removes the note.
    void setNote(std::optional<std::string> note);

    std::string symbolText() const;
    std::string unitText() const;
    // ">" (or "<" for a negative value) when over range, else empty.
    std::string rangeMark() const;
    // Range mark, then the number with its engineering prefix where the quantity has one.
    std::string valueText() const;

  private:
    std::string numericText(int flags) const;

    double value_;
    int symbol_;
    std::optional<std::string> note_;
    bool primary_;
    bool over_;
};

}  // namespace kadenza
