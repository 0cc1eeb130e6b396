#include "app/ConclusionTab.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/DetailField.h"

namespace kadenza {

namespace {

constexpr int reasonsRow = 427;
constexpr int conclusionRow = 414;
constexpr int safeRow = 441;
constexpr int unsafeRow = 442;
constexpr int cannotBeSafeRow = 443;

QRadioButton* conclusionButton(const char* value, int row, const InspectionDetails& inspection) {
    auto* button = new QRadioButton(rowText(row));
    button->setObjectName(QString::fromLatin1(value));
    button->setChecked(inspection.conclusion == value);
    return button;
}

}  // namespace

ConclusionTab::ConclusionTab(const InspectionDetails& inspection)
    : choice_(new QButtonGroup(this)),
      safe_(conclusionButton(safeConclusion, safeRow, inspection)),
      unsafe_(conclusionButton(unsafeConclusion, unsafeRow, inspection)),
      reasonAgainstSafe_(new QLabel),
      reasons_(new QPlainTextEdit(QString::fromStdString(inspection.conclusionText))) {
    choice_->addButton(safe_);
    choice_->addButton(unsafe_);
    reasonAgainstSafe_->setObjectName(QStringLiteral("reasonAgainstSafe"));
    reasonAgainstSafe_->setWordWrap(true);
    // Under the text of the button it explains.
    reasonAgainstSafe_->setIndent(style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                                  style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing));
    reasonAgainstSafe_->hide();
    reasons_->setObjectName(QStringLiteral("conclusionText"));
    reasons_->setTabChangesFocus(true);

    auto* conclusion = new QGroupBox(rowText(conclusionRow));
    auto* buttons = new QVBoxLayout(conclusion);
    buttons->addWidget(safe_);
    buttons->addWidget(reasonAgainstSafe_);
    buttons->addWidget(unsafe_);
    auto* reasonsLabel = new QLabel(rowText(reasonsRow));
    reasonsLabel->setBuddy(reasons_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conclusion);
    layout->addWidget(reasonsLabel);
    layout->addWidget(reasons_, 1);
}

void ConclusionTab::setReasonAgainstSafe(const QString& reason) {
    safe_->setEnabled(reason.isEmpty());
    reasonAgainstSafe_->setText(rowText(cannotBeSafeRow) + QStringLiteral(" ") + reason);
    reasonAgainstSafe_->setVisible(!reason.isEmpty());
    safe_->setAccessibleDescription(reason.isEmpty() ? QString() : reasonAgainstSafe_->text());
    // A disabled button the group keeps checked would stay the conclusion.
    if (!reason.isEmpty() && safe_->isChecked()) {
        choice_->setExclusive(false);
        safe_->setChecked(false);
        choice_->setExclusive(true);
    }
}

DetailTexts ConclusionTab::texts() const {
    const char* conclusion = safe_->isChecked()     ? safeConclusion
                             : unsafe_->isChecked() ? unsafeConclusion
                                                    : "";
    return {{"inspection.conclusion", conclusion},
            {"inspection.conclusionText", reasons_->toPlainText().trimmed().toStdString()}};
}

}  // namespace kadenza
