#include "app/Mx310Old.h"

#include <QFile>

#include "link/LegacyReceiver.h"
#include "link/PosixSerialLine.h"

namespace kadenza {

Mx310Old::Mx310Old(const QString& portName, TProgressForm& progress, MessageBoxes& boxes)
    : InstrumentTransferWindow(progress, boxes), portName_(portName) {}

void Mx310Old::start(InstrumentData& data, std::function<void(bool completed)> onEnd) {
    data_ = &data;
    launch([this, onEnd = std::move(onEnd)] {
        if (onEnd) {
            onEnd(completed_);
        }
    });
}

// A port that does not open ends the job before the progress window shows; the receiver
// would find the line dead only after opening the window.
void Mx310Old::work() {
    PosixSerialLine line(QFile::encodeName(portName_).toStdString(), legacyBaud);
    if (!line.isOpen()) {
        reportFailure(FailureKind::TransmissionFailed);
        return;
    }
    completed_ = receiveLegacyTransfer(line, *data_, *this);
}

}  // namespace kadenza
