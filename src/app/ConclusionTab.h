#pragma once

#include "app/DetailsTab.h"
#include "inspection/Details.h"

class QButtonGroup;
class QLabel;
class QPlainTextEdit;
class QRadioButton;

namespace kadenza {

// Whether the installation is safe to operate, and the reasons. "Safe" cannot be chosen while
// something speaks against it, and the tab says what.
class ConclusionTab : public DetailsTab {
  public:
    explicit ConclusionTab(const InspectionDetails& inspection);

    // What speaks against "safe"; empty when nothing does. A "safe" chosen before is taken back.
    void setReasonAgainstSafe(const QString& reason);
    DetailTexts texts() const override;

  private:
    QButtonGroup* choice_;
    QRadioButton* safe_;
    QRadioButton* unsafe_;
    QLabel* reasonAgainstSafe_;
    QPlainTextEdit* reasons_;
};

}  // namespace kadenza
