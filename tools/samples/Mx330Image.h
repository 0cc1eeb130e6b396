#pragma once

#include "samples/Mx310Image.h"

namespace kadenza::samples {

// An Mx330 memory: the Mx310.2's layout with the Mx330's settings.
class Mx330Image : public Mx310LayoutImage {
  public:
    // Entry k (0 to 14) of the test frequency table, in Hz.
    void frequency(int k, int hertz);
    // Entry k (0 to 14) of the probe distance table, in 0.1 m.
    void distance(int k, int count);
    // The resistance beep limit, in 0.01 Ohm.
    void beepLimit(int count);
};

// The sample memory of an Mx330: the earthing of a farm building in five banks, with every
// kind of record the instrument knows, and its setup.
MemoryImage mx330Sample();

}  // namespace kadenza::samples
