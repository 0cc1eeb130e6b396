#include "app/ArchiveSettingsDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/AccessKeys.h"
#include "app/ArchiveSettings.h"
#include "app/DetailField.h"
#include "archive/ArchiveLocation.h"
#include "archive/ConnectionSecrets.h"

namespace kadenza {

namespace {

constexpr int titleRow = 461;
constexpr int sqliteRow = 479;
constexpr int serverRow = 480;
constexpr int fileRow = 481;
constexpr int addressRow = 482;
constexpr int browseRow = 483;
constexpr int environmentRow = 484;
constexpr int passwordRow = 507;

}  // namespace

ArchiveSettingsDialog::ArchiveSettingsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("ArchiveSettings"));
    setWindowTitle(withoutAccessKey(rowText(titleRow)).remove(QStringLiteral(" ...")));
    sqlite_ = new QRadioButton(rowText(sqliteRow), this);
    server_ = new QRadioButton(rowText(serverRow), this);
    file_ = new QLineEdit(this);
    file_->setObjectName(QStringLiteral("ArchiveFile"));
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("ArchiveAddress"));
    address_->setPlaceholderText(QStringLiteral("postgresql://user@host/kadenza"));
    auto* browse = new QPushButton(rowText(browseRow), this);
    auto* fileLabel = new QLabel(rowText(fileRow), this);
    fileLabel->setBuddy(file_);
    auto* addressLabel = new QLabel(rowText(addressRow), this);
    addressLabel->setBuddy(address_);
    passwordNote_ = new QLabel(rowText(passwordRow), this);
    passwordNote_->setObjectName(QStringLiteral("ArchivePassword"));
    passwordNote_->setWordWrap(true);
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* fileRowLayout = new QHBoxLayout;
    fileRowLayout->addWidget(file_, 1);
    fileRowLayout->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(sqlite_);
    form->addRow(fileLabel, fileRowLayout);
    form->addRow(server_);
    form->addRow(addressLabel, address_);
    form->addRow(passwordNote_);
    auto* layout = new QVBoxLayout(this);
    if (archiveLocationFromEnvironment()) {
        const std::string place = shownUri(archiveLocation().toStdString());
        auto* note = new QLabel(rowText(environmentRow).arg(QString::fromStdString(place)), this);
        note->setObjectName(QStringLiteral("ArchiveEnvironment"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }
    layout->addLayout(form);
    layout->addWidget(buttons_);

    const QString chosen = chosenArchiveLocation();
    const bool onServer = isPostgresLocation(chosen.toStdString());
    (onServer ? server_ : sqlite_)->setChecked(true);
    (onServer ? address_ : file_)->setText(chosen);
    file_->setPlaceholderText(QString::fromStdString(defaultArchiveLocation()));

    connect(sqlite_, &QRadioButton::toggled, this, &ArchiveSettingsDialog::engineChosen);
    connect(address_, &QLineEdit::textChanged, this, &ArchiveSettingsDialog::engineChosen);
    connect(browse, &QPushButton::clicked, this, &ArchiveSettingsDialog::browse);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    engineChosen();
    giveAccessKeys(*this);
}

QString ArchiveSettingsDialog::location() const {
    return sqlite_->isChecked() ? file_->text().trimmed() : address_->text().trimmed();
}

// A server needs an address that names one, without a password.
void ArchiveSettingsDialog::engineChosen() {
    const bool onServer = server_->isChecked();
    const std::string address = location().toStdString();
    const bool withPassword = onServer && hasPassword(address);
    file_->setEnabled(!onServer);
    address_->setEnabled(onServer);
    passwordNote_->setVisible(withPassword);
    buttons_->button(QDialogButtonBox::Ok)
        ->setEnabled(!onServer || (isPostgresLocation(address) && !withPassword));
}

void ArchiveSettingsDialog::browse() {
    const QString path = QFileDialog::getSaveFileName(
        this, QString(), file_->text(), QStringLiteral("SQLite (*.sqlite *.db);;* (*)"), nullptr,
        QFileDialog::DontConfirmOverwrite | QFileDialog::DontUseNativeDialog);
    if (!path.isEmpty()) {
        file_->setText(path);
    }
}

}  // namespace kadenza
