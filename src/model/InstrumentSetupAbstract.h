#pragma once

#include <string>

namespace kadenza {

// A line of the setup list: a group of settings or one setting.
class InstrumentSetupAbstract {
  public:
    virtual ~InstrumentSetupAbstract() = default;

    // The line as the setup list draws it, UTF-16 with style codes.
    virtual std::u16string text() const = 0;
    virtual bool isBank() const = 0;
};

}  // namespace kadenza
