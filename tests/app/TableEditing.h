#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

// Editing a cell of the details' tables as a user does: F2 opens the cell's editor, the value
// goes in, Return takes it.

namespace kadenza::test {

// A user edits a table on the tab shown.
inline void showTabOf(QWidget& widget) {
    for (QWidget* page = &widget; page != nullptr; page = page->parentWidget()) {
        for (QWidget* up = page->parentWidget(); up != nullptr; up = up->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(up); tabs && tabs->indexOf(page) >= 0) {
                tabs->setCurrentWidget(page);
                return;
            }
        }
    }
}

inline QWidget* openCellEditor(QTableWidget& table, int row, int column) {
    showTabOf(table);
    table.setCurrentCell(row, column);
    QTest::keyClick(&table, Qt::Key_F2);
    return table.indexWidget(table.model()->index(row, column));
}

// `value`: the text of a line, or the value a choice stores.
inline void editCell(QTableWidget& table, int row, int column, const QString& value) {
    QWidget* editor = openCellEditor(table, row, column);
    QVERIFY2(editor != nullptr, "no editor opened");
    if (auto* box = qobject_cast<QComboBox*>(editor)) {
        if (box->isEditable()) {
            box->setEditText(value);
        } else {
            QVERIFY2(box->findData(value) >= 0, qPrintable(value));
            box->setCurrentIndex(box->findData(value));
        }
    } else {
        qobject_cast<QLineEdit*>(editor)->setText(value);
    }
    QTest::keyClick(editor, Qt::Key_Return);
    // The view takes the value from the editor a moment after Return.
    QCoreApplication::processEvents();
}

}  // namespace kadenza::test
