#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QThreadPool>
#include <functional>
#include <memory>

#include "archive/Archive.h"
#include "archive/ArchiveError.h"

class QWidget;

namespace kadenza {

class ArchiveTask;

// The windows' archive, used on a thread of its own so that a slow disk or a server far away
// never holds a window up. Jobs run one after another in the order they were asked for; each
// answer comes back on the user-interface thread. The archive opens at the location of the
// latest setLocation when a job needs it.
class ArchiveConnection : public QObject {
    Q_OBJECT

  public:
    explicit ArchiveConnection(QString location, QObject* parent = nullptr);
    // Waits for the job under way; those not yet started are dropped.
    ~ArchiveConnection() override;

    const QString& location() const { return location_; }
    void setLocation(const QString& location);

    // Runs `job` on the archive, then `done` with its result or `failed` with what went
    // wrong. A progress indication in `window` comes up when the answer is slow; its Stop, or
    // the window going, drops the answer.
    template <typename Result>
    void run(QWidget& window, std::function<Result(Archive&)> job,
             std::function<void(const Result&)> done,
             std::function<void(const ArchiveError&)> failed) {
        post(
            window,
            [job = std::move(job), done = std::move(done)](Archive& archive) {
                auto result = std::make_shared<Result>(job(archive));
                return std::function<void()>([done, result] { done(*result); });
            },
            std::move(failed));
    }

  private:
    // The archive's thread runs `job`, whose answer then runs here.
    using Job = std::function<std::function<void()>(Archive&)>;
    void post(QWidget& window, Job job, std::function<void(const ArchiveError&)> failed);
    // Runs `answer` on this thread, unless the task was stopped.
    void answer(QPointer<ArchiveTask> task, std::function<void()> answer);

    // Touched by the archive's thread only; one job at a time.
    struct OpenArchive {
        std::string location;
        std::unique_ptr<Archive> archive;
    };
    static Archive& archiveAt(OpenArchive& open, const std::string& location);

    QString location_;
    std::shared_ptr<OpenArchive> open_ = std::make_shared<OpenArchive>();
    QThreadPool thread_;
};

}  // namespace kadenza
