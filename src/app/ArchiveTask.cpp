#include "app/ArchiveTask.h"

#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>

#include "app/DetailField.h"

namespace kadenza {

namespace {

constexpr int workingRow = 485;
constexpr int progressRow = 451;
constexpr int stopRow = 452;

}  // namespace

ArchiveTask::ArchiveTask(QWidget& window) : QObject(&window), window_(window) {
    patience_ = new QTimer(this);
    patience_->setSingleShot(true);
    connect(patience_, &QTimer::timeout, this, &ArchiveTask::showProgress);
    patience_->start(patienceMs);
}

void ArchiveTask::finish() {
    patience_->stop();
    if (progress_ != nullptr) {
        progress_->deleteLater();
    }
    deleteLater();
}

void ArchiveTask::showProgress() {
    progress_ = new QProgressDialog(&window_);
    progress_->setObjectName(QStringLiteral("ArchiveProgress"));
    progress_->setWindowTitle(window_.windowTitle());
    progress_->setLabelText(rowText(workingRow));
    auto* bar = new QProgressBar(progress_);
    bar->setAccessibleName(rowText(progressRow));
    progress_->setBar(bar);
    auto* stop = new QPushButton(rowText(stopRow), progress_);
    stop->setObjectName(QStringLiteral("ArchiveStop"));
    progress_->setCancelButton(stop);
    progress_->setRange(0, 0);
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    // Stop: the window is the user's again; the answer finds no task.
    connect(progress_, &QProgressDialog::canceled, this, [this] {
        stopped_ = true;
        finish();
    });
    progress_->show();
}

}  // namespace kadenza
