#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>

class QHideEvent;
class QProgressBar;
class QToolButton;

namespace kadenza {

class InstrumentTransferWindow;

// The one progress window of the program: always on top, it shows the job that attached it
// last and lets the user stop that job. Used on the user-interface thread only; the jobs
// reach it through InstrumentTransferWindow.
class TProgressForm : public QDialog {
    Q_OBJECT

  public:
    explicit TProgressForm(QWidget* parent = nullptr);

    // Shows the window, not modal, for `job`; from now on stopping means stopping `job`.
    void attach(InstrumentTransferWindow* job);
    void setCaptionText(const QString& text);
    void setPosition(int percent);
    // Hides the window, which also asks the attached job to stop.
    void closeWindow();

    // The job the window is attached to; none after it was hidden or the job ended.
    InstrumentTransferWindow* job() const;
    // Called as a job ends: when the window still belongs to it, the window closes without
    // asking the job for anything.
    void detach(const InstrumentTransferWindow* job);

  protected:
    // However the window goes away (its close button, Escape, a job's hideProgress) the
    // attached job is asked to stop, and the window lets go of it.
    void hideEvent(QHideEvent* event) override;

  private:
    void stopJob();

    QProgressBar* progressBar1_;
    QToolButton* speedButton1_;
    // A job frees itself when its thread ends; the guard keeps a late stop request from
    // reaching a freed job even if the job did not detach.
    QPointer<InstrumentTransferWindow> job_;
};

}  // namespace kadenza
