#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "model/InstrumentSetup.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kadenza {

class InstrumentSetupAbstract;
class InstrumentTransferWindowThread;
class MessageBoxes;
class TProgressForm;

// The setup dialog: reads the settings of the instrument on a port as it opens, lets the
// user change values in place, fetch the model's factory settings and write them all back.
// Its jobs show their progress in `progress` and their failures through `boxes`.
class TForm2 : public QDialog {
    Q_OBJECT

  public:
    TForm2(TProgressForm& progress, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Shows the dialog modally for the instrument on the port; returns its result when it
    // closes: Accepted after Setup, Rejected otherwise.
    int showFor(const QString& portName);

    // While one of the dialog's jobs runs the dialog does not close: the job is filling or
    // reading the setup that closing would empty.
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // The editor's Enter and the clicks on the list.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildButtonStrip();
    // What the list holds, and so which buttons may be used.
    enum class Contents {
        nothing,     // no settings were read: nothing may be written
        settings,    // the settings read from the instrument, or its factory settings
        noSettings,  // the instrument keeps none
    };

    void FillList();
    void addRow(InstrumentSetupAbstract* object);
    void ListBox1DblClick(QListWidgetItem* row);
    void Edit1Enter();
    void hideEditor();
    void Button1Click();
    void Button3Click();
    void settingsRead(bool completed);
    void defaultsFetched(bool completed);
    void writeEnded(bool completed);
    // What the list holds after a job that fills the setup; `otherwise` when it failed.
    Contents filledContents(bool completed, Contents otherwise) const;
    void showContents(Contents contents);

    // Hides the editor and keeps the dialog open until the job's end.
    InstrumentTransferWindowThread* newJob();
    // The end handler of a job: when the dialog still exists, `then` runs on it.
    std::function<void(bool)> whenJobEnds(void (TForm2::*then)(bool));
    void endJob(void (TForm2::*then)(bool), bool completed);
    void setJobRunning(bool running);
    void enableButtons();

    TProgressForm& progress_;
    MessageBoxes& boxes_;
    // Shared with the end handler of a running job, so that the job's container outlives
    // even the dialog.
    std::shared_ptr<InstrumentSetup> setup_;
    QListWidget* listBox1_;
    QLineEdit* edit1_;
    QPushButton* button1_;  // Default settings
    QPushButton* button2_;  // Cancel
    QPushButton* button3_;  // Setup
    // The row the editor was opened on, while it is shown.
    QListWidgetItem* editedRow_ = nullptr;
    QString portName_;
    bool jobRunning_ = false;
    Contents contents_ = Contents::nothing;
};

}  // namespace kadenza
