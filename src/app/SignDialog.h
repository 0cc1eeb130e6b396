#pragma once

#include <QByteArray>
#include <QDialog>

#include "report/PdfSigning.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kadenza {

class MessageBoxes;

// Signs the report with a certificate of an NSS database (the user's ~/.pki/nssdb unless the
// folder is changed): the certificates to choose from, the password of the database, whether
// another person than the inspector signs on purpose, and a time-stamp authority. A signature
// that fails is shown, and the dialog stays for another try.
class SignDialog : public QDialog {
    Q_OBJECT

  public:
    // `request`: the page and area the signature goes in, its reason, location and signer;
    // the certificate, the database and the password are the user's to give.
    SignDialog(QByteArray pdf, SignatureRequest request, MessageBoxes& boxes, QWidget* parent);

    // The signed report; valid after the dialog was accepted.
    const QByteArray& signedReport() const { return signed_; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void listCertificates();

    QByteArray pdf_;
    SignatureRequest request_;
    MessageBoxes& boxes_;
    QByteArray signed_;
    QLineEdit* folder_;
    QListWidget* certificates_;
    QLabel* listProblem_;
    QLineEdit* password_;
    QCheckBox* signerDiffers_;
    QLineEdit* timeStampUrl_;
    QPushButton* ok_;
};

}  // namespace kadenza
