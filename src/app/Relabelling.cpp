#include "app/Relabelling.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QWidget>

#include "app/AccessKeys.h"
#include "language/Language.h"

namespace kadenza {

namespace {

int tagOf(const QObject& object) {
    return object.property("tag").toInt();
}

QString rowCaption(int row) {
    return QString::fromStdU16String(GetText(row));
}

// The main window or dialog a component sits in. A dialog that the main window owns is a form
// of its own, relabelled by its own pass.
const QObject* formOf(const QObject& component) {
    for (const QObject* owner = component.parent(); owner; owner = owner->parent()) {
        if (qobject_cast<const QDialog*>(owner) || qobject_cast<const QMainWindow*>(owner)) {
            return owner;
        }
    }
    return nullptr;
}

void relabel(QObject& component, const QString& caption) {
    if (auto* action = qobject_cast<QAction*>(&component)) {
        action->setText(caption);
    } else if (auto* menu = qobject_cast<QMenu*>(&component)) {
        menu->setTitle(caption);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&component)) {
        button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(&component)) {
        label->setText(caption);
    } else if (auto* group = qobject_cast<QGroupBox*>(&component)) {
        group->setTitle(caption);
    } else if (auto* widget = qobject_cast<QWidget*>(&component)) {
        // A control that shows no caption of its own, such as a list, is named for a screen
        // reader.
        widget->setAccessibleName(caption);
    }
}

}  // namespace

void TranslateForm(QWidget& window) {
    window.setWindowTitle(rowCaption(tagOf(window)));
    for (QObject* component : window.findChildren<QObject*>()) {
        const int row = tagOf(*component);
        if (row != 0 && formOf(*component) == &window) {
            relabel(*component, rowCaption(row));
        }
    }
    giveAccessKeys(window);
}

void TranslateForms(QWidget& mainWindow, QWidget& setupDialog) {
    TranslateForm(mainWindow);
    TranslateForm(setupDialog);
}

}  // namespace kadenza
