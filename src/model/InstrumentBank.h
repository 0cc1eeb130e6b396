#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "model/BinaryIo.h"
#include "model/InstrumentAbstract.h"
#include "model/InstrumentItem.h"
#include "model/PropertiesAbstract.h"

namespace kadenza {

// One memory bank of the instrument: a number and the items stored under it, in order.
class InstrumentBank : public InstrumentAbstract, public PropertiesAbstract {
  public:
    explicit InstrumentBank(int number);
    InstrumentBank(const InstrumentBank& other);
    InstrumentBank& operator=(const InstrumentBank&) = delete;
    ~InstrumentBank() override;

    // "Bank 7" with showSymbol, "7" without.
    std::string text(int flags) const override;
    std::unique_ptr<InstrumentAbstract> clone() const override;
    // The four letters stored before the bank's record in the native file.
    virtual std::int32_t typeCode() const { return fourLetterCode("bank"); }

    void load(std::istream& stream) override;
    void save(std::ostream& stream) const override;
    void writeXml(std::ostream& stream) const override;

    int count() const { return static_cast<int>(items_.size()); }
    // None for an index outside 0 .. count() - 1.
    InstrumentItem* item(int index) const;
    // Appends; a null item is ignored.
    void add(std::unique_ptr<InstrumentItem> item);
    int number() const { return number_; }

    // Deletes the item when this bank holds it; false, changing nothing, otherwise.
    bool removeItem(const InstrumentAbstract* item);
    // Takes the item at the index out of the bank, for it to be put back with insertItem;
    // none for an index outside the list.
    std::unique_ptr<InstrumentItem> takeItem(int index);
    // Puts the item before the one at the index (at the end for the count).
    void insertItem(int index, std::unique_ptr<InstrumentItem> item);
    // Deletes every item, the last first.
    void clear();

  protected:
    void writeXmlAs(std::ostream& stream, const char* element) const;

  private:
    int number_;
    std::vector<std::unique_ptr<InstrumentItem>> items_;
};

}  // namespace kadenza
