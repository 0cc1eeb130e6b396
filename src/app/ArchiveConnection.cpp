#include "app/ArchiveConnection.h"

#include <exception>

#include "app/ArchiveTask.h"

namespace kadenza {

ArchiveConnection::ArchiveConnection(QString location, QObject* parent)
    : QObject(parent), location_(std::move(location)) {
    thread_.setMaxThreadCount(1);
}

ArchiveConnection::~ArchiveConnection() {
    thread_.clear();
    thread_.waitForDone();
}

void ArchiveConnection::setLocation(const QString& location) {
    location_ = location;
}

void ArchiveConnection::post(QWidget& window, Job job,
                             std::function<void(const ArchiveError&)> failed) {
    QPointer<ArchiveTask> task = new ArchiveTask(window);
    thread_.start([this, task, job = std::move(job), failed = std::move(failed), open = open_,
                   location = location_.toStdString()] {
        try {
            answer(task, job(archiveAt(*open, location)));
        } catch (const ArchiveError& error) {
            // A server that went away is reached again by the next job.
            if (error.problem() == ArchiveProblem::unreachable) {
                open->archive.reset();
            }
            answer(task, [failed, error] { failed(error); });
        } catch (const std::exception& error) {
            const ArchiveError unexpected(ArchiveProblem::failed, error.what());
            answer(task, [failed, unexpected] { failed(unexpected); });
        }
    });
}

void ArchiveConnection::answer(QPointer<ArchiveTask> task, std::function<void()> answer) {
    QMetaObject::invokeMethod(
        this,
        [task, answer = std::move(answer)] {
            if (task && task->isWanted()) {
                task->finish();
                answer();
            }
        },
        Qt::QueuedConnection);
}

Archive& ArchiveConnection::archiveAt(OpenArchive& open, const std::string& location) {
    if (!open.archive || open.location != location) {
        open.archive.reset();
        open.archive = Archive::open(location);
        open.location = location;
    }
    return *open.archive;
}

}  // namespace kadenza
