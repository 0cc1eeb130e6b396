#include "link/TransferJobs.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "translators/TranslatorFactory.h"

namespace kadenza {

namespace {

// Runs `count` block moves under the progress window. The cancel flag is read before each
// block only, so a block under way is always finished.
bool moveBlocks(int count, const InstrumentTranslator& translator, TransferReporter& reporter,
                const std::function<bool(int)>& moveBlock) {
    reporter.showProgress(translator.modelName());
    for (int i = 0; i < count; ++i) {
        if (reporter.isCancelled()) {
            reporter.hideProgress();
            reporter.reportFailure(FailureKind::Cancelled);
            return false;
        }
        reporter.setProgress(i * 100 / count);
        if (!moveBlock(i)) {
            reporter.hideProgress();
            reporter.reportFailure(FailureKind::TransmissionFailed);
            return false;
        }
    }
    reporter.hideProgress();
    return true;
}

int dataBlocks(const InstrumentTranslator& translator) {
    return translator.dataSize() / blockSize;
}

int setupBlocks(const InstrumentTranslator& translator) {
    return translator.setupSize() / blockSize;
}

// True when encodeSetup left the setup area as the fresh image has it: the model's setup
// cannot be written (or it has none).
bool setupAreaIsBlank(const InstrumentTranslator& translator) {
    std::vector<std::uint8_t> area(static_cast<std::size_t>(translator.setupSize()));
    translator.copyOut(area.data(), translator.dataSize(), translator.setupSize());
    return std::all_of(area.begin(), area.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

}  // namespace

std::unique_ptr<InstrumentTranslator> selectTranslator(InstrumentTransfer& transfer) {
    return createTranslator(transfer.identify());
}

// The streamed protocol numbers the blocks it sends from 0 whatever part of the memory they
// come from, while an addressed request names the block of the image.
bool readBlocks(InstrumentTransfer& transfer, int start, int count,
                InstrumentTranslator& translator, TransferReporter& reporter) {
    return moveBlocks(count, translator, reporter, [&](int i) {
        return translator.addressedRead() ? transfer.readBlock(translator, start + i)
                                          : transfer.readStreamedBlock(translator, i);
    });
}

bool writeBlocks(InstrumentTransfer& transfer, int start, int count,
                 InstrumentTranslator& translator, TransferReporter& reporter) {
    return moveBlocks(count, translator, reporter,
                      [&](int i) { return transfer.writeBlock(translator, start + i); });
}

bool runReadData(InstrumentTransfer& transfer, InstrumentData& data, TransferReporter& reporter) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator) {
        reporter.reportFailure(FailureKind::NotConnected);
        return false;
    }
    if (!readBlocks(transfer, 0, dataBlocks(*translator), *translator, reporter)) {
        return false;
    }
    translator->decodeData(data);
    return true;
}

bool runReadSetup(InstrumentTransfer& transfer, InstrumentSetup& setup,
                  TransferReporter& reporter) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator) {
        reporter.reportFailure(FailureKind::NotConnected);
        return false;
    }
    if (!readBlocks(transfer, dataBlocks(*translator), setupBlocks(*translator), *translator,
                    reporter)) {
        return false;
    }
    translator->decodeSetup(setup);
    return true;
}

// Models whose setup the program cannot encode leave the setup area blank. Writing that
// would overwrite the instrument's stored settings with 0xFF, so nothing is sent and the job
// counts as done without a message: the instrument keeps the settings it has.
bool runWriteSetup(InstrumentTransfer& transfer, const InstrumentSetup& setup,
                   TransferReporter& reporter) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator) {
        reporter.reportFailure(FailureKind::NotConnected);
        return false;
    }
    translator->encodeSetup(setup);
    if (setupAreaIsBlank(*translator)) {
        return true;
    }
    return writeBlocks(transfer, dataBlocks(*translator), setupBlocks(*translator), *translator,
                       reporter);
}

bool runDefaultSettings(InstrumentTransfer& transfer, InstrumentSetup& setup) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator) {
        return false;
    }
    translator->defaultSetup(setup);
    return true;
}

}  // namespace kadenza
