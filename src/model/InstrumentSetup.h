#pragma once

#include <memory>
#include <vector>

#include "model/InstrumentSetupBank.h"

namespace kadenza {

// The settings of one instrument as groups of numeric settings. Never saved to a file: it
// lives while the setup dialog shows it.
class InstrumentSetup {
  public:
    InstrumentSetup() = default;
    InstrumentSetup(const InstrumentSetup&) = delete;
    InstrumentSetup& operator=(const InstrumentSetup&) = delete;

    int count() const { return static_cast<int>(banks_.size()); }
    // None for an index outside 0 .. count() - 1.
    InstrumentSetupBank* bank(int index) const;
    // Appends; a null group is ignored.
    void add(std::unique_ptr<InstrumentSetupBank> bank);
    // The last group with this id, or none.
    InstrumentSetupBank* findBank(int id) const;
    // Deletes every group, the last first.
    void clear();
    // The first setting, in list order, whose value lies outside its range; none when every
    // value may be written.
    const InstrumentSetupItem* firstOutOfRange() const;

  private:
    std::vector<std::unique_ptr<InstrumentSetupBank>> banks_;
};

}  // namespace kadenza
