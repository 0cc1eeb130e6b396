#pragma once

#include <memory>
#include <optional>
#include <string>

#include "model/InstrumentData.h"
#include "model/InstrumentNumber.h"

namespace kadenza::test {

// Builds a container bank by bank in the order a decoder would, so a test reads "bank 3 with
// an insulation record" instead of constructor calls.
class DataBuilder {
  public:
    // Starts a memory bank with its bank-number item.
    DataBuilder& bank(int number);
    // Starts a bank keyed by an instrument record number, with its number item.
    DataBuilder& numbered(int number);
    // Adds an item to the bank started last.
    DataBuilder& item(int symbol, double value, bool primary = false, bool over = false,
                      std::optional<std::string> note = std::nullopt);
    // Starts a bank with no items at all.
    DataBuilder& emptyBank(int number);

    std::unique_ptr<InstrumentData> build();

  private:
    std::unique_ptr<InstrumentData> data_ = std::make_unique<InstrumentData>();
    InstrumentBank* current_ = nullptr;
};

// A container such as a download from an installation tester brings: banks with voltage,
// loop, RCD and insulation records, a numbered bank of an appliance test, notes with style
// codes and markup characters, over-range readings.
std::unique_ptr<InstrumentData> sampleData();

// A container of `items` items spread over banks of 20, for benchmarks.
std::unique_ptr<InstrumentData> largeData(int items);

}  // namespace kadenza::test
