#pragma once

#include <memory>
#include <vector>

#include "model/InstrumentSetupAbstract.h"
#include "model/InstrumentSetupItem.h"

namespace kadenza {

// A group of settings; its id names the group.
class InstrumentSetupBank : public InstrumentSetupAbstract {
  public:
    explicit InstrumentSetupBank(int id);

    // The group's name.
    std::u16string text() const override { return name(); }
    bool isBank() const override { return true; }

    int id() const { return id_; }
    int count() const { return static_cast<int>(items_.size()); }
    // None for an index outside 0 .. count() - 1.
    InstrumentSetupItem* item(int index) const;
    // Appends; a null item is ignored.
    void add(std::unique_ptr<InstrumentSetupItem> item);
    // The last item of this kind, or none.
    InstrumentSetupItem* findItem(int kind) const;
    // The group's name in the current language.
    std::u16string name() const;

  private:
    int id_;
    std::vector<std::unique_ptr<InstrumentSetupItem>> items_;
};

}  // namespace kadenza
