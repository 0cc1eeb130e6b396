#pragma once

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace kadenza {

// Archive settings: an SQLite file on this computer or a team's PostgreSQL server. When
// KADENZA_ARCHIVE is set the dialog says so: the place chosen here counts once it is not. An
// address with a password is refused, since the settings are kept as plain text.
class ArchiveSettingsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ArchiveSettingsDialog(QWidget* parent = nullptr);

    // The place chosen: a file's path or a postgresql:// address; empty for the default file.
    QString location() const;

  private:
    void engineChosen();
    void browse();

    QRadioButton* sqlite_;
    QRadioButton* server_;
    QLineEdit* file_;
    QLineEdit* address_;
    QLabel* passwordNote_;
    QDialogButtonBox* buttons_;
};

}  // namespace kadenza
