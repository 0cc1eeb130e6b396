#pragma once

#include <QDialog>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

class QTabWidget;

namespace kadenza {

class ConclusionTab;
class DefectsTab;
class DetailsTab;
class InstrumentsTab;
class MessageBoxes;

// The revision's editor (Instrument > Inspection details): a tab for the revision, the
// installation, the measuring instruments, the checklist, the defects, the conclusion and the
// circuits of the data's banks. The texts are those of the current language.
class DetailsDialog : public QDialog {
    Q_OBJECT

  public:
    // Shows `details`; when none were given yet, today's date and the model of the last download
    // are filled in.
    DetailsDialog(const DetailsDocument& details, const InstrumentData& data,
                  const QString& lastModel, MessageBoxes& boxes, QWidget* parent);

    // The details as the user left them, details this dialog does not show kept; valid after
    // the dialog was accepted.
    const DetailsDocument& details() const { return edited_; }

    // OK takes the details when every one is a value it can take and they agree with each
    // other; otherwise the box names the first that does not, and the dialog stays, showing its
    // tab.
    void accept() override;

  private:
    void addTab(DetailsTab* tab, int titleRow);
    void addTabKeys();
    void tabShown(int index);
    // The details as the tabs show them now, those a detail cannot take left as they were.
    DetailsDocument currentDetails() const;
    // Whether a next revision later than the period tables allow, newly set, is kept: the user
    // is asked.
    bool nextDateKept(const DetailsDocument& details);

    const InstrumentData& data_;
    MessageBoxes& boxes_;
    DetailsDocument edited_;
    QTabWidget* tabs_;
    std::vector<DetailsTab*> detailTabs_;
    DefectsTab* defects_;
    ConclusionTab* conclusion_;
    InstrumentsTab* instruments_;
};

}  // namespace kadenza
