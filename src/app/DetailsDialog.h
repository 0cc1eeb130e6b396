#pragma once

#include <QDialog>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

class QTableWidget;
class QWidget;

namespace kadenza {

class MessageBoxes;

// The inspection's details for the user to fill in (Instrument > Inspection details): the
// inspection's fields above, a row of the circuit's or appliance's details for every bank of
// the data below, with choices where the values are a fixed set. The texts are those of the
// current language.
class DetailsDialog : public QDialog {
    Q_OBJECT

  public:
    // Shows `details`; when none were given yet, the model of the last download and today's
    // date are filled in.
    DetailsDialog(const DetailsDocument& details, const InstrumentData& data,
                  const QString& lastModel, MessageBoxes& boxes, QWidget* parent);

    // The details as the user left them, details this dialog does not show kept; valid after
    // the dialog was accepted.
    const DetailsDocument& details() const { return edited_; }

    // OK takes the details when every one is a value it can take; otherwise the box names the
    // first that is not, and the dialog stays.
    void accept() override;

  private:
    QWidget* inspectionForm(const DetailsDocument& details, const QString& lastModel);
    QTableWidget* bankTable(const DetailsDocument& details);
    void fillBankRow(int row, const BankDetails& bank);
    QString valueOf(const QWidget* field) const;
    QString cellValue(int row, int column) const;
    DetailsDocument editedDetails() const;

    MessageBoxes& boxes_;
    DetailsDocument edited_;
    std::vector<int> bankNumbers_;
    std::vector<QWidget*> inspectionFields_;
    QTableWidget* banks_ = nullptr;
};

}  // namespace kadenza
