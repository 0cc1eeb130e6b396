#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "app/DetailField.h"
#include "app/DetailsTab.h"

namespace kadenza {

class DetailTable;

// The instruments or the defects of a revision, numbered from 1 in the table's order, with
// an add button (captioned by the language row `addCaptionRow`) and Remove. The document numbers
// them alike once the editor stores them: one removed takes its number along, and those after it
// move up.
class NumberedTable : public QWidget {
    Q_OBJECT

  public:
    // `prefix`: "instrument" or "defect"; `highestStored`: the highest number the document gave.
    NumberedTable(const char* prefix, std::vector<DetailField> fields, int highestStored,
                  int addCaptionRow);

    DetailTable& table() { return *table_; }
    const DetailTable& table() const { return *table_; }
    // Appends a row and puts the cursor into it, on `column`.
    void addRow(const std::vector<QString>& values, int column = 0);
    // "instrument.1.model" … for every row, and empty texts for the numbers no row has any more.
    DetailTexts texts() const;

  private:
    void removeCurrentRow();

    std::string prefix_;
    int highestStored_;
    DetailTable* table_;
};

}  // namespace kadenza
