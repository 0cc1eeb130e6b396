#include "app/SignDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

#include "app/AccessKeys.h"
#include "app/DetailField.h"
#include "app/MessageBoxes.h"
#include "app/NamingLabel.h"
#include "report/NssDatabase.h"

namespace kadenza {

namespace {

constexpr int signRow = 434;
constexpr int certificateRow = 436;
constexpr int passwordRow = 437;
constexpr int signerDiffersRow = 504;
constexpr int timeStampRow = 505;
constexpr int folderRow = 546;
constexpr int unopenedDatabaseRow = 550;
constexpr int nicknameRole = Qt::UserRole;
constexpr QSize dialogSize(520, 360);

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// "Jan Novák – CN=Jan Novák,O=Elektro Novák"
QString certificateText(const SigningCertificate& certificate) {
    return QString::fromStdString(certificate.nickname) + QStringLiteral(" \u2013 ") +
           QString::fromStdString(certificate.subject);
}

// What went wrong, in the current language where the user can put it right.
QString problemText(const std::exception& error) {
    if (const auto* unopened = dynamic_cast<const NssDatabaseUnopened*>(&error)) {
        return rowText(unopenedDatabaseRow).arg(QFile::decodeName(unopened->folder().c_str()));
    }
    return QString::fromUtf8(error.what());
}

}  // namespace

SignDialog::SignDialog(QByteArray pdf, SignatureRequest request, MessageBoxes& boxes,
                       QWidget* parent)
    : QDialog(parent),
      pdf_(std::move(pdf)),
      request_(std::move(request)),
      boxes_(boxes),
      folder_(new QLineEdit(QFile::decodeName(defaultNssDir().c_str()))),
      certificates_(new QListWidget),
      listProblem_(new QLabel),
      password_(new QLineEdit),
      signerDiffers_(new QCheckBox(rowText(signerDiffersRow))),
      timeStampUrl_(new QLineEdit) {
    setObjectName(QStringLiteral("SignDialog"));
    setWindowTitle(rowText(signRow).remove(QStringLiteral(" ...")));
    folder_->setObjectName(QStringLiteral("NssFolder"));
    folder_->setAccessibleName(rowText(folderRow));
    certificates_->setObjectName(QStringLiteral("Certificates"));
    listProblem_->setWordWrap(true);
    password_->setObjectName(QStringLiteral("Password"));
    password_->setEchoMode(QLineEdit::Password);
    signerDiffers_->setObjectName(QStringLiteral("SignerDiffers"));
    timeStampUrl_->setObjectName(QStringLiteral("TimeStampAuthority"));
    timeStampUrl_->setPlaceholderText(QStringLiteral("http://"));
    connect(folder_, &QLineEdit::editingFinished, this, &SignDialog::listCertificates);
    folder_->installEventFilter(this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &SignDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SignDialog::reject);
    // The database's folder under the certificates it holds.
    auto* certificate = new QVBoxLayout;
    certificate->addWidget(certificates_, 1);
    certificate->addWidget(folder_);
    certificate->addWidget(listProblem_);
    QLabel* certificateLabel = namingLabel(rowText(certificateRow), *certificates_);
    auto* passwordLabel = new QLabel(rowText(passwordRow));
    passwordLabel->setBuddy(password_);
    auto* form = new QFormLayout;
    form->addRow(certificateLabel, certificate);
    form->addRow(passwordLabel, password_);
    form->addRow(nullptr, signerDiffers_);
    auto* timeStampLabel = new QLabel(rowText(timeStampRow));
    timeStampLabel->setBuddy(timeStampUrl_);
    form->addRow(timeStampLabel, timeStampUrl_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form, 1);
    layout->addWidget(buttons);
    listCertificates();
    resize(dialogSize);
    giveAccessKeys(*this);
}

// The database's certificates, or why none can be listed; the password only where the
// database has one.
void SignDialog::listCertificates() {
    certificates_->clear();
    listProblem_->clear();
    const std::string folder = localPath(folder_->text());
    try {
        for (const SigningCertificate& certificate : signingCertificates(folder)) {
            auto* entry = new QListWidgetItem(certificateText(certificate), certificates_);
            entry->setData(nicknameRole, QString::fromStdString(certificate.nickname));
        }
        password_->setEnabled(needsPassword(folder));
    } catch (const std::runtime_error& error) {
        listProblem_->setText(problemText(error));
    }
    listProblem_->setVisible(!listProblem_->text().isEmpty());
    certificates_->setCurrentRow(0);
    ok_->setEnabled(certificates_->count() > 0);
}

// Enter in the folder lists its certificates and moves on to the password; it would otherwise
// press OK and sign before the password was typed.
bool SignDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == folder_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            listCertificates();
            password_->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void SignDialog::accept() {
    const QListWidgetItem* chosen = certificates_->currentItem();
    if (chosen == nullptr) {
        return;
    }
    request_.nickname = chosen->data(nicknameRole).toString().toStdString();
    request_.nssDir = localPath(folder_->text());
    request_.password = password_->text().toStdString();
    request_.signerDiffers = signerDiffers_->isChecked();
    request_.timeStampUrl = timeStampUrl_->text().trimmed().toStdString();
    try {
        signed_ = signedPdf(pdf_, request_);
    } catch (const std::exception& error) {
        boxes_.error(this, problemText(error));
        return;
    }
    QDialog::accept();
}

}  // namespace kadenza
