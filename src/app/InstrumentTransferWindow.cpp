#include "app/InstrumentTransferWindow.h"

#include <QMetaObject>
#include <QTimer>

#include "app/MessageBoxes.h"
#include "app/TProgressForm.h"

namespace kadenza {

InstrumentTransferWindow::InstrumentTransferWindow(TProgressForm& progress, MessageBoxes& boxes)
    : progress_(progress), boxes_(boxes) {}

// The worker posts a call without arguments to this object, which belongs to the
// user-interface thread (it is never moved onto its own thread), and waits until that call
// has run `call`.
void InstrumentTransferWindow::onInterfaceThread(const std::function<void()>& call) {
    std::unique_lock<std::mutex> lock(handover_);
    pendingCall_ = &call;
    QMetaObject::invokeMethod(this, "runPendingCall", Qt::QueuedConnection);
    callDone_.wait(lock, [this] { return pendingCall_ == nullptr; });
}

// The worker is blocked while the call runs, so the lock is not held across it: the call may
// open a message box with an event loop of its own. The worker goes on even when the call
// throws (the exception then goes to the standard error box).
void InstrumentTransferWindow::runPendingCall() {
    const std::function<void()>* call = nullptr;
    {
        std::lock_guard<std::mutex> lock(handover_);
        call = pendingCall_;
    }
    try {
        (*call)();
    } catch (...) {
        releaseWorker();
        throw;
    }
    releaseWorker();
}

void InstrumentTransferWindow::releaseWorker() {
    {
        std::lock_guard<std::mutex> lock(handover_);
        pendingCall_ = nullptr;
    }
    callDone_.notify_one();
}

bool InstrumentTransferWindow::drivesProgress() const {
    const InstrumentTransferWindow* holder = progress_.job();
    return holder == nullptr || holder == this;
}

void InstrumentTransferWindow::showProgress(const std::string& caption) {
    onInterfaceThread([this, text = QString::fromStdString(caption)] {
        progressShown_ = true;
        progress_.attach(this);
        progress_.setCaptionText(text);
    });
}

void InstrumentTransferWindow::setProgress(int percent) {
    onInterfaceThread([this, percent] {
        if (drivesProgress()) {
            progress_.setPosition(percent);
        }
    });
}

void InstrumentTransferWindow::hideProgress() {
    onInterfaceThread([this] {
        if (drivesProgress()) {
            progress_.closeWindow();
        }
    });
}

bool InstrumentTransferWindow::isCancelled() {
    return isInterruptionRequested();
}

void InstrumentTransferWindow::reportFailure(FailureKind kind) {
    onInterfaceThread([this, kind] {
        // The window offered for stopping a slow identification goes before the message.
        if (!progressShown_) {
            progress_.detach(this);
        }
        boxes_.failure(progress_.parentWidget(), QString::fromStdString(failureCaption()),
                       QString::fromStdString(failureText(kind)));
    });
}

void InstrumentTransferWindow::run() {
    work();
    // Whatever the job wrote is handed over with the lock the end handler takes first.
    std::lock_guard<std::mutex> lock(handover_);
}

void InstrumentTransferWindow::takeOverFromWorker() {
    std::lock_guard<std::mutex> lock(handover_);
}

void InstrumentTransferWindow::launch(std::function<void()> onEnd) {
    onEnd_ = std::move(onEnd);
    // `this` lives on the user-interface thread and finished is emitted on the worker, so
    // the end is queued to the user-interface thread.
    connect(this, &QThread::finished, this, &InstrumentTransferWindow::end);
    start();
}

void InstrumentTransferWindow::offerStopAfter(int milliseconds) {
    QTimer::singleShot(milliseconds, this, [this] {
        if (isRunning() && !progressShown_ && progress_.job() == nullptr) {
            progress_.attach(this);
            progress_.setCaptionText(QString());
            progress_.setPosition(0);
        }
    });
}

// The window is let go here and not in the destructor: the end handler may close the window
// that owns the progress window before the deferred delete comes.
void InstrumentTransferWindow::end() {
    takeOverFromWorker();
    progress_.detach(this);
    if (onEnd_) {
        onEnd_();
    }
    deleteLater();
}

}  // namespace kadenza
