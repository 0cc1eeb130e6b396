#include "app/InstrumentTransferWindow.h"

#include <QMetaObject>

#include "app/MessageBoxes.h"
#include "app/TProgressForm.h"

namespace kadenza {

InstrumentTransferWindow::InstrumentTransferWindow(TProgressForm& progress, MessageBoxes& boxes)
    : progress_(progress), boxes_(boxes) {}

// Aimed at the progress window, an object of the user-interface thread, so the call runs
// there while the worker blocks. A blocking call aimed at an object of the worker's own thread
// would wait for itself. `this` would work only while the thread object stays on the thread
// that made it (moving it onto its own thread is a common idiom), so the window is the target.
void InstrumentTransferWindow::onInterfaceThread(const std::function<void()>& call) {
    QMetaObject::invokeMethod(&progress_, call, Qt::BlockingQueuedConnection);
}

bool InstrumentTransferWindow::drivesProgress() const {
    const InstrumentTransferWindow* holder = progress_.job();
    return holder == nullptr || holder == this;
}

void InstrumentTransferWindow::showProgress(const std::string& caption) {
    onInterfaceThread([this, text = QString::fromStdString(caption)] {
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
        boxes_.failure(progress_.parentWidget(), QString::fromStdString(failureCaption()),
                       QString::fromStdString(failureText(kind)));
    });
}

void InstrumentTransferWindow::launch(std::function<void()> onEnd) {
    onEnd_ = std::move(onEnd);
    // `this` lives on the user-interface thread and finished is emitted on the worker, so
    // the end is queued to the user-interface thread.
    connect(this, &QThread::finished, this, &InstrumentTransferWindow::end);
    start();
}

// The window is let go here and not in the destructor: the end handler may close the window
// that owns the progress window before the deferred delete comes.
void InstrumentTransferWindow::end() {
    progress_.detach(this);
    if (onEnd_) {
        onEnd_();
    }
    deleteLater();
}

}  // namespace kadenza
