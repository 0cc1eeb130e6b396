#include "app/MessageBoxes.h"

#include <QFileDialog>
#include <QMessageBox>

namespace kadenza {

namespace {

// The application's title; the error boxes carry it, never translated.
const QString applicationTitle = QStringLiteral("Kadenza");

}  // namespace

void QtMessageBoxes::failure(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::warning(parent, caption, text);
}

void QtMessageBoxes::information(QWidget* parent, const QString& caption, const QString& text) {
    QMessageBox::information(parent, caption, text);
}

void QtMessageBoxes::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, applicationTitle, text);
}

QString QtMessageBoxes::openFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter, nullptr,
                                        QFileDialog::ReadOnly);
}

QString QtMessageBoxes::saveFileName(QWidget* parent, const QString& filter,
                                     const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}

}  // namespace kadenza
