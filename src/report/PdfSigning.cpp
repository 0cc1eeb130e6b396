#include "report/PdfSigning.h"

#include <poppler-qt6.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

#include "report/QuietNssShutdown.h"
#include "report/SignatureFont.h"

namespace kadenza {

namespace {

using NewSignature = Poppler::PDFConverter::NewSignatureData;

std::string folderOrDefault(const std::string& nssDir) {
    return nssDir.empty() ? defaultNssDir() : nssDir;
}

std::unique_ptr<Poppler::Document> documentToSign(const QByteArray& pdf) {
    std::unique_ptr<Poppler::Document> document = Poppler::Document::loadFromData(pdf);
    if (!document || document->isLocked() || document->numPages() == 0) {
        throw std::runtime_error("Cannot read the PDF to sign");
    }
    return document;
}

// Poppler takes the rectangle in fractions of the page, from its top left corner. An
// invisible signature is a widget of no size on the first page.
void place(NewSignature& signature, const Poppler::Document& document,
           const SignatureRequest& request) {
    signature.setPage(0);
    if (request.page < 0) {
        return;
    }
    const std::unique_ptr<Poppler::Page> page = document.page(request.page);
    if (!page) {
        throw std::runtime_error("The PDF has no page " + std::to_string(request.page + 1) +
                                 " for the signature");
    }
    const QSizeF size = page->pageSizeF();
    const QRectF& area = request.rectangle;
    signature.setPage(request.page);
    signature.setBoundingRectangle(QRectF(area.x() / size.width(), area.y() / size.height(),
                                          area.width() / size.width(),
                                          area.height() / size.height()));
}

// Black text on white with a thin grey frame, as a signature on a printed report.
void describe(NewSignature& signature, const SignatureRequest& request) {
    signature.setSignatureText(request.appearance.isEmpty()
                                   ? QString::fromStdString(request.nickname)
                                   : request.appearance);
    signature.setReason(QString::fromStdString(request.reason));
    signature.setLocation(QString::fromStdString(request.location));
    signature.setFontColor(Qt::black);
    signature.setBorderColor(Qt::gray);
    signature.setBorderWidth(0.5);
    signature.setBackgroundColor(Qt::white);
}

QByteArray readWhole(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("Cannot read the signed PDF");
    }
    return file.readAll();
}

}  // namespace

std::vector<SigningCertificate> signingCertificates(const std::string& nssDir) {
    return NssDatabase(folderOrDefault(nssDir)).signingCertificates();
}

bool needsPassword(const std::string& nssDir) {
    return NssDatabase(folderOrDefault(nssDir)).needsPassword();
}

QByteArray signedPdf(const QByteArray& pdf, const SignatureRequest& request) {
    NssDatabase database(folderOrDefault(request.nssDir));
    const std::string signer = database.signerName(request.nickname);
    database.logIn(request.password);

    const std::unique_ptr<Poppler::Document> document = documentToSign(pdf);
    NewSignature signature;
    signature.setCertNickname(QString::fromStdString(signer));
    signature.setPassword(QString::fromStdString(request.password));
    place(signature, *document, request);
    describe(signature, request);

    // Poppler writes a signed PDF only to a file of its own naming.
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        throw std::runtime_error("Cannot create a temporary folder to sign the PDF in");
    }
    const QString path = folder.filePath(QStringLiteral("signed.pdf"));
    const std::unique_ptr<Poppler::PDFConverter> converter = document->pdfConverter();
    converter->setOutputFileName(path);
    const SignatureFont font;
    if (!signQuietlyAtExit([&converter, &signature] { return converter->sign(signature); })) {
        throw std::runtime_error("Cannot sign the PDF with the certificate \"" + request.nickname +
                                 "\"");
    }
    return readWhole(path);
}

std::string defaultNssDir() {
    return QFile::encodeName(QDir::homePath() + QStringLiteral("/.pki/nssdb")).toStdString();
}

}  // namespace kadenza
