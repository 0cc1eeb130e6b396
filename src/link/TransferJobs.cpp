#include "link/TransferJobs.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "translators/TranslatorFactory.h"

namespace kadenza {

namespace {

// Where a cancel may end a run of blocks.
enum class CancelPoints {
    everyBlock,
    // A setup write, once its first block is out, runs to its end: stopped halfway it would
    // leave the instrument with part of the old settings and part of the new.
    firstBlockOnly,
};

bool endBlocks(TransferReporter& reporter, FailureKind failure) {
    reporter.hideProgress();
    reporter.reportFailure(failure);
    return false;
}

// Runs `count` block moves under the progress window. The cancel flag is read before each
// block (and by the transfer while a block drags on).
bool moveBlocks(int count, const InstrumentTransfer& transfer,
                const InstrumentTranslator& translator, TransferReporter& reporter,
                CancelPoints cancelPoints, const std::function<bool(int)>& moveBlock) {
    reporter.showProgress(translator.modelName());
    for (int i = 0; i < count; ++i) {
        const bool mayCancel = i == 0 || cancelPoints == CancelPoints::everyBlock;
        if (mayCancel && reporter.isCancelled()) {
            return endBlocks(reporter, FailureKind::Cancelled);
        }
        reporter.setProgress(i * 100 / count);
        if (!moveBlock(i)) {
            return endBlocks(reporter, transfer.stopped() ? FailureKind::Cancelled
                                                          : FailureKind::TransmissionFailed);
        }
    }
    reporter.hideProgress();
    return true;
}

// Reported when identification gave no model: a stop that ended it, or no instrument.
FailureKind identificationFailure(const InstrumentTransfer& transfer) {
    return transfer.stopped() ? FailureKind::Cancelled : FailureKind::NotConnected;
}

int dataBlocks(const InstrumentTranslator& translator) {
    return translator.dataSize() / blockSize;
}

int setupBlocks(const InstrumentTranslator& translator) {
    return translator.setupSize() / blockSize;
}

// True when the setup has the groups and settings the model's own factory settings have: it
// was read from, or made for, an instrument of this model. A setup of another model would be
// written where it does not belong, with the encoder's defaults for what it lacks.
bool fitsModel(const InstrumentSetup& setup, const InstrumentTranslator& translator) {
    InstrumentSetup factory;
    translator.defaultSetup(factory);
    if (factory.count() != setup.count()) {
        return false;
    }
    for (int b = 0; b < setup.count(); ++b) {
        const InstrumentSetupBank& group = *setup.bank(b);
        const InstrumentSetupBank& factoryGroup = *factory.bank(b);
        if (group.id() != factoryGroup.id() || group.count() != factoryGroup.count()) {
            return false;
        }
        for (int i = 0; i < group.count(); ++i) {
            if (group.item(i)->kind() != factoryGroup.item(i)->kind()) {
                return false;
            }
        }
    }
    return true;
}

// True when encodeSetup left the setup area as the fresh image has it: the model's setup
// cannot be written (or it has none).
bool setupAreaIsBlank(const InstrumentTranslator& translator) {
    std::vector<std::uint8_t> area(static_cast<std::size_t>(translator.setupSize()));
    translator.copyOut(area.data(), translator.dataSize(), translator.setupSize());
    return std::all_of(area.begin(), area.end(), [](std::uint8_t byte) { return byte == 0xFF; });
}

// After a write that needed retries the setup area is read back: an acknowledgement names no
// block, so one that came late may have been taken for a frame the instrument never stored.
// The write counts only when the instrument holds every byte that was sent.
bool heldAsWritten(InstrumentTransfer& transfer, InstrumentTranslator& translator,
                   TransferReporter& reporter) {
    const auto size = static_cast<std::size_t>(translator.setupSize());
    std::vector<std::uint8_t> sent(size);
    translator.copyOut(sent.data(), translator.dataSize(), translator.setupSize());
    for (int i = 0; i < setupBlocks(translator); ++i) {
        if (!transfer.readBlock(translator, dataBlocks(translator) + i)) {
            reporter.reportFailure(transfer.stopped() ? FailureKind::Cancelled
                                                      : FailureKind::TransmissionFailed);
            return false;
        }
    }
    std::vector<std::uint8_t> held(size);
    translator.copyOut(held.data(), translator.dataSize(), translator.setupSize());
    if (held != sent) {
        reporter.reportFailure(FailureKind::TransmissionFailed);
        return false;
    }
    return true;
}

}  // namespace

std::unique_ptr<InstrumentTranslator> selectTranslator(InstrumentTransfer& transfer) {
    return createTranslator(transfer.identify());
}

// The streamed protocol numbers the blocks it sends from 0 whatever part of the memory they
// come from, while an addressed request names the block of the image.
bool readBlocks(InstrumentTransfer& transfer, int start, int count,
                InstrumentTranslator& translator, TransferReporter& reporter) {
    return moveBlocks(count, transfer, translator, reporter, CancelPoints::everyBlock, [&](int i) {
        return translator.addressedRead() ? transfer.readBlock(translator, start + i)
                                          : transfer.readStreamedBlock(translator, i);
    });
}

bool writeBlocks(InstrumentTransfer& transfer, int start, int count,
                 InstrumentTranslator& translator, TransferReporter& reporter) {
    return moveBlocks(count, transfer, translator, reporter, CancelPoints::firstBlockOnly,
                      [&](int i) { return transfer.writeBlock(translator, start + i); });
}

bool runReadData(InstrumentTransfer& transfer, InstrumentData& data, TransferReporter& reporter) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator) {
        reporter.reportFailure(identificationFailure(transfer));
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
        reporter.reportFailure(identificationFailure(transfer));
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
// counts as done without a message: the instrument keeps the settings it has. Settings that
// do not fit the instrument now on the port are not sent either: the instrument they were
// read from is not connected.
bool runWriteSetup(InstrumentTransfer& transfer, const InstrumentSetup& setup,
                   TransferReporter& reporter) {
    const std::unique_ptr<InstrumentTranslator> translator = selectTranslator(transfer);
    if (!translator || !fitsModel(setup, *translator)) {
        reporter.reportFailure(identificationFailure(transfer));
        return false;
    }
    translator->encodeSetup(setup);
    if (setupAreaIsBlank(*translator)) {
        return true;
    }
    return writeBlocks(transfer, dataBlocks(*translator), setupBlocks(*translator), *translator,
                       reporter) &&
           (!transfer.writeRetried() || heldAsWritten(transfer, *translator, reporter));
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
