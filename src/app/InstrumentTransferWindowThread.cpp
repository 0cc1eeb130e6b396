#include "app/InstrumentTransferWindowThread.h"

#include <QFile>

#include "link/InstrumentTransfer.h"
#include "link/PosixSerialLine.h"
#include "link/TransferJobs.h"

namespace kadenza {

namespace {

constexpr int slowIdentificationMs = 300;

}  // namespace

InstrumentTransferWindowThread::InstrumentTransferWindowThread(const QString& portName,
                                                               TProgressForm& progress,
                                                               MessageBoxes& boxes)
    : InstrumentTransferWindow(progress, boxes), portName_(portName) {}

void InstrumentTransferWindowThread::startReadData(InstrumentData& data, EndHandler onEnd) {
    startJob(
        [this, &data](InstrumentTransfer& transfer) { return runReadData(transfer, data, *this); },
        std::move(onEnd));
}

void InstrumentTransferWindowThread::startReadSetup(InstrumentSetup& setup, EndHandler onEnd) {
    startJob([this, &setup](
                 InstrumentTransfer& transfer) { return runReadSetup(transfer, setup, *this); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startWriteSetup(const InstrumentSetup& setup,
                                                     EndHandler onEnd) {
    startJob([this, &setup](
                 InstrumentTransfer& transfer) { return runWriteSetup(transfer, setup, *this); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startDefaultSettings(InstrumentSetup& setup,
                                                          EndHandler onEnd) {
    startJob([&setup](InstrumentTransfer& transfer) { return runDefaultSettings(transfer, setup); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startJob(std::function<bool(InstrumentTransfer&)> job,
                                              EndHandler onEnd) {
    job_ = std::move(job);
    launch([this, onEnd = std::move(onEnd)] {
        if (onEnd) {
            onEnd(completed_);
        }
    });
    // A sound line identifies the instrument in a few tens of milliseconds.
    offerStopAfter(slowIdentificationMs);
}

// The port is opened here rather than at creation so that it belongs to the worker from
// its first to its last byte, and it is closed before the end handler runs: the next job
// may open it at once. The progress window's stop reaches the transfer's waits as well.
void InstrumentTransferWindowThread::work() {
    PosixSerialLine line(QFile::encodeName(portName_).toStdString(), instrumentBaud);
    InstrumentTransfer transfer(line, [this] { return isCancelled(); });
    completed_ = job_(transfer);
}

}  // namespace kadenza
