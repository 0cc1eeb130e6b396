#include "link/LegacyReceiver.h"

#include <array>

#include "translators/LegacyFrame.h"

namespace kadenza {

namespace {

// Empty reads a frame may take in all before the transfer fails; the count runs over the
// whole frame, not per byte.
constexpr int toleratedEmptyReads = 11;
// The progress counts 530 of the 532 bytes, so it reaches 100 two bytes before the end.
constexpr int progressBytes = 530;

// The instrument sends on its own initiative whenever its user starts it, so the wait has no
// limit but the user's cancel, or the port going away. False when either ended it.
bool awaitStartByte(SerialLine& line, TransferReporter& reporter) {
    while (!reporter.isCancelled() && line.isConnected()) {
        if (line.receiveByte() == legacyStartByte) {
            return true;
        }
    }
    return false;
}

bool fail(TransferReporter& reporter, FailureKind kind) {
    reporter.hideProgress();
    reporter.reportFailure(kind);
    return false;
}

}  // namespace

bool receiveLegacyTransfer(SerialLine& line, InstrumentData& data, TransferReporter& reporter) {
    reporter.setProgress(0);
    reporter.showProgress("Mx310.1");
    if (!awaitStartByte(line, reporter)) {
        return fail(reporter,
                    line.isConnected() ? FailureKind::Cancelled : FailureKind::TransmissionFailed);
    }

    std::array<std::uint8_t, legacyFrameSize> frame{};
    int position = 0;
    int emptyReads = 0;
    while (!reporter.isCancelled()) {
        const int byte = line.receiveByte();
        if (byte < 0) {
            if (emptyReads == toleratedEmptyReads) {
                return fail(reporter, FailureKind::TransmissionFailed);
            }
            ++emptyReads;
            continue;
        }
        frame[position] = static_cast<std::uint8_t>(byte);
        if (position == legacyFrameSize - 1) {
            if (!legacyFrameIsValid(frame.data())) {
                return fail(reporter, FailureKind::TransmissionFailed);
            }
            reporter.hideProgress();
            decodeLegacyFrame(frame.data(), data);
            return true;
        }
        reporter.setProgress((position + 1) * 100 / progressBytes);
        ++position;
    }
    return fail(reporter, FailureKind::Cancelled);
}

}  // namespace kadenza
