#pragma once

#include <memory>
#include <vector>

#include "model/InstrumentBank.h"
#include "model/PropertiesAbstract.h"

namespace kadenza {

// The measured-data container: what one download or one native file holds, as an ordered
// list of banks (InstrumentBank or InstrumentNumber).
class InstrumentData : public PropertiesAbstract {
  public:
    InstrumentData() = default;
    InstrumentData(const InstrumentData&) = delete;
    InstrumentData& operator=(const InstrumentData&) = delete;
    ~InstrumentData() override;

    int count() const { return static_cast<int>(banks_.size()); }
    // None for an index outside 0 .. count() - 1.
    InstrumentBank* bank(int index) const;
    // Appends; a null bank is ignored.
    void add(std::unique_ptr<InstrumentBank> bank);
    // Index of the last bank with this number, or -1.
    int indexOfNumber(int number) const;
    // Deletes every bank, the last first.
    void clear();
    // Drops empty banks and sorts the rest by number.
    void tidy();
    // Deletes a bank with its items, or an item from the bank that holds it; false, changing
    // nothing, when the node is not in the container.
    bool remove(const InstrumentAbstract* node);
    // Takes the bank at the index out of the container, for it to be put back with
    // insertBank; none for an index outside the list.
    std::unique_ptr<InstrumentBank> takeBank(int index);
    // Puts the bank before the one at the index (at the end for the count).
    void insertBank(int index, std::unique_ptr<InstrumentBank> bank);

    void load(std::istream& stream) override;
    void save(std::ostream& stream) const override;
    void writeXml(std::ostream& stream) const override;

  private:
    std::vector<std::unique_ptr<InstrumentBank>> banks_;
};

}  // namespace kadenza
