#include "app/NumberedTable.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/DetailTable.h"

namespace kadenza {

namespace {

constexpr int removeTextRow = 440;

}  // namespace

NumberedTable::NumberedTable(const char* prefix, std::vector<DetailField> fields, int highestStored,
                             int addCaptionRow)
    : prefix_(prefix), highestStored_(highestStored), table_(new DetailTable(std::move(fields))) {
    auto* add = new QPushButton(rowText(addCaptionRow));
    auto* remove = new QPushButton(rowText(removeTextRow));
    add->setObjectName(QStringLiteral("Add"));
    remove->setObjectName(QStringLiteral("Remove"));
    connect(add, &QPushButton::clicked, this, [this] {
        addRow(std::vector<QString>(static_cast<std::size_t>(table_->columnCount())));
    });
    connect(remove, &QPushButton::clicked, this, &NumberedTable::removeCurrentRow);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);
}

void NumberedTable::addRow(const std::vector<QString>& values, int column) {
    table_->addRow(values);
    table_->setCurrentCell(table_->rowCount() - 1, column);
    table_->setFocus();
}

void NumberedTable::removeCurrentRow() {
    const int row = table_->currentRow();
    if (row >= 0) {
        table_->removeRow(row);
        table_->setFocus();
    }
}

DetailTexts NumberedTable::texts() const {
    DetailTexts texts;
    const int rows = table_->rowCount();
    for (int number = 1; number <= std::max(rows, highestStored_); ++number) {
        const std::string prefix = prefix_ + "." + std::to_string(number) + ".";
        for (int column = 0; column < table_->columnCount(); ++column) {
            const QString value = number <= rows ? table_->value(number - 1, column) : QString();
            texts.push_back({prefix + table_->field(column).key, value.toStdString()});
        }
    }
    return texts;
}

}  // namespace kadenza
