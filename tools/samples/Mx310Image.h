#pragma once

#include <initializer_list>

#include "samples/MemoryImage.h"

namespace kadenza::samples {

// The memory layout the Mx310.2 and the Mx330 share: 2000 record slots, eight in each block
// of 32 bytes (the eight bank bytes, then a kind byte and a count word per slot), and a setup
// area of two tables of 15 words and a block of general settings, each block sealed.
class Mx310LayoutImage : public MemoryImage {
  public:
    // Slot 0 to 1999 holds a record of bank 1 to 255: its kind code and signed count.
    void record(int slot, int bank, int kind, int count);
    void emptySlot(int slot);
    // Writes in the slot after the last one appended to, as the instrument fills its memory.
    void append(int bank, int kind, int count);
    // One reading in each range of a group of kinds, from `firstKind` on.
    void appendRanges(int bank, int firstKind, std::initializer_list<int> counts);
    // Leaves the next slot empty, as a record deleted on the instrument does.
    void skipSlot();
    // The times as the instrument keeps them, in counts of 20 ms.
    void powerOffTime(int count);
    void backlightOffTime(int count);
    // Seals the three setup blocks as the instrument does; call it after the last setup word.
    void sealSetup();

  protected:
    static constexpr int firstTable = 8064;
    static constexpr int secondTable = 8096;
    static constexpr int generalBlock = 8128;

  private:
    int nextSlot_ = 0;
};

// An Mx310.2 memory. The cross-section tables count in 0.001 mm2.
class Mx310Image : public Mx310LayoutImage {
  public:
    // Entry k (0 to 14) of the copper and of the aluminium table.
    void copperSection(int k, int count);
    void aluminiumSection(int k, int count);
};

// The sample memory of an Mx310.2: an inspection of a small workshop in six banks, with
// every kind of record the instrument knows, and its setup.
MemoryImage mx310Sample();

}  // namespace kadenza::samples
