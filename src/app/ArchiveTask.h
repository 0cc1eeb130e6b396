#pragma once

#include <QObject>

class QProgressDialog;
class QTimer;
class QWidget;

namespace kadenza {

// One job of the archive as a window waits for it: after 300 ms a progress indication with
// Stop comes up over the window. Stop lets the user go on at once; the job's answer, when it
// comes, is then dropped, as it is when the window has gone.
class ArchiveTask : public QObject {
    Q_OBJECT

  public:
    static constexpr int patienceMs = 300;

    explicit ArchiveTask(QWidget& window);

    // False once the user pressed Stop.
    bool isWanted() const { return !stopped_; }
    // The answer has come: the indication goes, and so does the task.
    void finish();

  private:
    void showProgress();

    QWidget& window_;
    QTimer* patience_;
    QProgressDialog* progress_ = nullptr;
    bool stopped_ = false;
};

}  // namespace kadenza
