#include "app/InstrumentTransferWindowThread.h"

#include <QFile>

#include "link/InstrumentTransfer.h"
#include "link/PosixSerialLine.h"
#include "link/TransferJobs.h"

namespace kadenza {

InstrumentTransferWindowThread::InstrumentTransferWindowThread(const QString& portName,
                                                               TProgressForm& progress,
                                                               MessageBoxes& boxes)
    : InstrumentTransferWindow(progress, boxes), portName_(portName) {}

void InstrumentTransferWindowThread::startReadData(InstrumentData& data,
                                                   std::function<void()> onEnd) {
    startJob([this, &data](InstrumentTransfer& transfer) { runReadData(transfer, data, *this); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startReadSetup(InstrumentSetup& setup,
                                                    std::function<void()> onEnd) {
    startJob([this, &setup](InstrumentTransfer& transfer) { runReadSetup(transfer, setup, *this); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startWriteSetup(const InstrumentSetup& setup,
                                                     std::function<void()> onEnd) {
    startJob(
        [this, &setup](InstrumentTransfer& transfer) { runWriteSetup(transfer, setup, *this); },
        std::move(onEnd));
}

void InstrumentTransferWindowThread::startDefaultSettings(InstrumentSetup& setup,
                                                          std::function<void()> onEnd) {
    startJob([&setup](InstrumentTransfer& transfer) { runDefaultSettings(transfer, setup); },
             std::move(onEnd));
}

void InstrumentTransferWindowThread::startJob(std::function<void(InstrumentTransfer&)> job,
                                              std::function<void()> onEnd) {
    job_ = std::move(job);
    launch(std::move(onEnd));
}

// The port is opened here rather than at creation so that it belongs to the worker from
// its first to its last byte, and it is closed before the end handler runs: the next job
// may open it at once.
void InstrumentTransferWindowThread::work() {
    PosixSerialLine line(QFile::encodeName(portName_).toStdString(), instrumentBaud);
    InstrumentTransfer transfer(line);
    job_(transfer);
}

}  // namespace kadenza
