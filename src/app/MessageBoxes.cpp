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

UnsavedChoice QtMessageBoxes::askToSave(QWidget* parent, const QString& caption,
                                        const QString& text) {
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        parent, caption, text, QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
        QMessageBox::Save);
    if (answer == QMessageBox::Save) {
        return UnsavedChoice::save;
    }
    return answer == QMessageBox::Discard ? UnsavedChoice::discard : UnsavedChoice::cancel;
}

bool QtMessageBoxes::ask(QWidget* parent, const QString& caption, const QString& text) {
    return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

// Qt's own dialogs rather than the desktop's, so that they speak the program's language.
QString QtMessageBoxes::openFileName(QWidget* parent, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(), filter, nullptr,
                                        QFileDialog::ReadOnly | QFileDialog::DontUseNativeDialog);
}

QString QtMessageBoxes::saveFileName(QWidget* parent, const QString& filter,
                                     const QString& defaultSuffix) {
    QFileDialog dialog(parent, QString(), QString(), filter);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return QString();
    }
    return dialog.selectedFiles().front();
}

}  // namespace kadenza
