#pragma once

#include <memory>

#include "link/InstrumentTransfer.h"
#include "link/TransferReporter.h"
#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"

namespace kadenza {

enum class JobKind { ReadData = 1, ReadSetup = 2, WriteSetup = 4, DefaultSettings = 8 };

// Identifies the instrument and makes its model's translator; none when it does not answer
// or answers with a code no model has.
std::unique_ptr<InstrumentTranslator> selectTranslator(InstrumentTransfer& transfer);

// Moves `count` blocks from `start` between the instrument and the translator's image, with
// progress; a cancel before a block (a write: before its first block only) or a block that
// fails all its attempts is reported and gives false.
bool readBlocks(InstrumentTransfer& transfer, int start, int count,
                InstrumentTranslator& translator, TransferReporter& reporter);
bool writeBlocks(InstrumentTransfer& transfer, int start, int count,
                 InstrumentTranslator& translator, TransferReporter& reporter);

// The jobs. Each reports its own failure and returns whether it completed; the container is
// changed only by a job that completed.
bool runReadData(InstrumentTransfer& transfer, InstrumentData& data, TransferReporter& reporter);
bool runReadSetup(InstrumentTransfer& transfer, InstrumentSetup& setup, TransferReporter& reporter);
// Writes only a setup shaped as the identified model's (read from it or its defaults);
// another model's, or an empty one, is reported as the instrument not being connected.
bool runWriteSetup(InstrumentTransfer& transfer, const InstrumentSetup& setup,
                   TransferReporter& reporter);
// Silent when the instrument does not answer: the defaults depend on the model.
bool runDefaultSettings(InstrumentTransfer& transfer, InstrumentSetup& setup);

}  // namespace kadenza
