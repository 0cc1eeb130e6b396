#include "link/TransferReporter.h"

#include "language/Language.h"

namespace kadenza {

namespace {

constexpr int cancelledRow = 19;
constexpr int notConnectedRow = 20;
constexpr int transmissionFailedRow = 21;
constexpr int errorCaptionRow = 22;

}  // namespace

std::string failureText(FailureKind kind) {
    switch (kind) {
        case FailureKind::Cancelled:
            return RowText(cancelledRow);
        case FailureKind::NotConnected:
            return RowText(notConnectedRow);
        case FailureKind::TransmissionFailed:
            return RowText(transmissionFailedRow);
    }
    return RowText(transmissionFailedRow);
}

std::string failureCaption() {
    return RowText(errorCaptionRow);
}

}  // namespace kadenza
