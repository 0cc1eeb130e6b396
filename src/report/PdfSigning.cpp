#include "report/PdfSigning.h"

#include <QDir>
#include <QFile>
#include <QTimeZone>
#include <cstdio>
#include <stdexcept>

#include "language/Language.h"
#include "report/CadesSignature.h"
#include "report/PageAsForm.h"
#include "report/PdfFile.h"
#include "report/PdfUpdate.h"
#include "report/PersonName.h"
#include "report/ReportTexts.h"
#include "report/SignatureAppearance.h"
#include "report/TimeStampAuthority.h"

namespace kadenza {

namespace {

constexpr int signedByRow = 500;
constexpr int otherHolderRow = 501;
// Room for the CMS signature: the certificate's chain and a time-stamp token with the
// authority's own fit many times over.
constexpr std::size_t signatureRoom = 16384;
const std::string byteRangeRoom = "[0 0000000000 0000000000 0000000000]";
// Print, and Locked: a viewer may not move or delete the signature.
constexpr int widgetFlags = 132;

std::string folderOrDefault(const std::string& nssDir) {
    return nssDir.empty() ? defaultNssDir() : nssDir;
}

std::string holderOf(const NssDatabase& database, const std::string& nickname) {
    for (const SigningCertificate& certificate : database.signingCertificates()) {
        if (certificate.nickname == nickname) {
            return certificate.holder;
        }
    }
    return nickname;
}

// The name the signature shows: the signer as the document names them, or the certificate's
// holder when another person signs on purpose. Another holder is refused otherwise.
std::string shownSigner(const SignatureRequest& request, const std::string& holder) {
    if (request.signerDiffers) {
        return holder;
    }
    if (!samePerson(holder, request.signer)) {
        throw std::runtime_error(
            QString::fromUtf8(RowText(otherHolderRow))
                .arg(QString::fromStdString(request.nickname), QString::fromStdString(holder),
                     QString::fromStdString(request.signer.empty() ? std::string("\u2014")
                                                                   : request.signer))
                .toStdString());
    }
    return request.signer;
}

// "D:20261208143000+01'00'", as a PDF dates the signing.
std::string pdfDate(const QDateTime& time) {
    const int offset = time.offsetFromUtc() / 60;
    char zone[16];
    std::snprintf(zone, sizeof zone, "%c%02d'%02d'", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                  std::abs(offset) % 60);
    return "D:" + time.toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + zone;
}

// "8. 12. 2026 14:30:00 +01:00" in Czech, "2026-12-08 14:30:00 +01:00" in English.
QString shownTime(const QDateTime& time) {
    return QString::fromStdString(dateText(time.date().toString(Qt::ISODate).toStdString())) +
           QLatin1Char(' ') + time.time().toString(QStringLiteral("HH:mm:ss")) + QLatin1Char(' ') +
           time.timeZone().displayName(time, QTimeZone::OffsetName).mid(3);
}

std::string signatureDictionary(const SignatureRequest& request, const std::string& holder,
                                const QDateTime& time) {
    return "<< /Type /Sig /Filter /Adobe.PPKLite /SubFilter /ETSI.CAdES.detached\n/ByteRange " +
           byteRangeRoom + "\n/Contents <" + std::string(2 * signatureRoom, '0') + ">\n/M " +
           pdfString(pdfDate(time)) + "\n/Name " + pdfString(holder) + "\n/Reason " +
           pdfString(request.reason) + "\n/Location " + pdfString(request.location) + "\n>>";
}

// The widget's rectangle in the page's own coordinates, from its bottom left corner.
std::string pdfRectangle(const std::string& page, const QRectF& area) {
    const std::vector<double> box = numbersOf(page, "/MediaBox");
    if (box.size() != 4) {
        throw std::runtime_error("Cannot read the PDF to sign");
    }
    char text[128];
    std::snprintf(text, sizeof text, "[%.2f %.2f %.2f %.2f]", area.left(), box[3] - area.bottom(),
                  area.right(), box[3] - area.top());
    return text;
}

int appearanceForm(PdfUpdate& update, const SignatureRequest& request, const std::string& shown,
                   const QDateTime& time) {
    if (request.page < 0) {
        return update.add(
            "<< /Type /XObject /Subtype /Form /BBox [0 0 0 0] /Length 0 >>\nstream\n\nendstream");
    }
    const QStringList lines{QString::fromUtf8(RowText(signedByRow)), QString::fromStdString(shown),
                            shownTime(time)};
    return addPageAsForm(
        update, PdfFile(signatureAppearancePdf(request.rectangle.size(), lines).toStdString()));
}

// `text` with `addition` put before the end of its array or dictionary that begins at `open`.
std::string insertedBefore(const std::string& text, std::size_t open, const std::string& closing,
                           const std::string& addition) {
    std::string result = text;
    result.insert(result.find(closing, open), addition);
    return result;
}

// The widget among the page's annotations, which the page holds in place or by reference.
void annotate(PdfUpdate& update, const PdfFile& file, int page, int widget) {
    const std::string reference = " " + std::to_string(widget) + " 0 R";
    const std::string dictionary = file.object(page);
    const int array = referenceOf(dictionary, "/Annots");
    if (array >= 0) {
        const std::string annotations = file.object(array);
        update.set(array, insertedBefore(annotations, 0, "]", reference));
    } else if (const std::size_t key = dictionary.find("/Annots"); key != std::string::npos) {
        update.set(page, insertedBefore(dictionary, key, "]", reference));
    } else {
        update.set(page, insertedBefore(dictionary, dictionary.rfind(">>"), ">>",
                                        "/Annots [" + reference + " ]\n"));
    }
}

// The widget among the document's form fields, with signatures marked as present and to be
// kept by appending only.
void addField(PdfUpdate& update, const PdfFile& file, int widget) {
    const std::string reference = " " + std::to_string(widget) + " 0 R";
    const int catalogNumber = referenceOf(file.trailer(), "/Root");
    const std::string catalog = file.object(catalogNumber);
    const std::size_t form = catalog.find("/AcroForm");
    if (form == std::string::npos) {
        update.set(catalogNumber,
                   insertedBefore(catalog, catalog.rfind(">>"), ">>",
                                  "/AcroForm << /Fields [" + reference + " ] /SigFlags 3 >>\n"));
    } else if (const std::size_t fields = catalog.find("/Fields", form);
               fields != std::string::npos && catalog.compare(form + 9, 3, " <<") == 0) {
        update.set(catalogNumber, insertedBefore(catalog, fields, "]", reference));
    } else {
        throw std::runtime_error("Cannot sign a PDF whose form is not one a signature made");
    }
}

// The update that adds the signature field, its widget with its appearance on the page, and
// the signature dictionary with room for the byte ranges and the signature.
std::string withSignatureField(const PdfFile& file, const SignatureRequest& request,
                               const std::string& holder, const std::string& shown,
                               const QDateTime& time) {
    const std::vector<int> pages = file.pages();
    const int pageIndex = request.page < 0 ? 0 : request.page;
    if (pageIndex >= static_cast<int>(pages.size())) {
        throw std::runtime_error("The PDF has no page " + std::to_string(pageIndex + 1) +
                                 " for the signature");
    }
    const int page = pages[pageIndex];
    PdfUpdate update(file);
    const int signature = update.add(signatureDictionary(request, holder, time));
    const int form = appearanceForm(update, request, shown, time);
    const std::string rectangle =
        request.page < 0 ? "[0 0 0 0]" : pdfRectangle(file.object(page), request.rectangle);
    const int widget = update.reserve();
    update.set(widget, "<< /Type /Annot /Subtype /Widget /FT /Sig /T (Signature" +
                           std::to_string(widget) + ") /V " + std::to_string(signature) +
                           " 0 R /F " + std::to_string(widgetFlags) + " /Rect " + rectangle +
                           " /P " + std::to_string(page) + " 0 R /AP << /N " +
                           std::to_string(form) + " 0 R >> >>");
    annotate(update, file, page, widget);
    addField(update, file, widget);
    return update.written();
}

std::string hexadecimal(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    for (const char byte : bytes) {
        hex += digits[(static_cast<unsigned char>(byte) >> 4) & 0xF];
        hex += digits[static_cast<unsigned char>(byte) & 0xF];
    }
    return hex;
}

// The byte ranges around the signature's room written in, the signature made over them and
// put into its room.
std::string signedOver(std::string bytes, std::size_t updateStart,
                       const std::string& certificateName, const std::string& timeStampUrl) {
    const std::size_t contents = bytes.find("/Contents <", updateStart) + 10;
    const std::size_t after = contents + 2 * signatureRoom + 2;
    std::string ranges = "[0 " + std::to_string(contents) + " " + std::to_string(after) + " " +
                         std::to_string(bytes.size() - after) + "]";
    ranges.insert(ranges.size() - 1, byteRangeRoom.size() - ranges.size(), ' ');
    bytes.replace(bytes.find(byteRangeRoom, updateStart), byteRangeRoom.size(), ranges);

    TimeStamper timeStamper;
    if (!timeStampUrl.empty()) {
        timeStamper = [&timeStampUrl](const std::string& digest) {
            return timeStampToken(timeStampUrl, digest);
        };
    }
    const std::string signature = cadesSignedData(
        certificateName, sha256(bytes.substr(0, contents) + bytes.substr(after)), timeStamper);
    if (signature.size() > signatureRoom) {
        throw std::runtime_error("The signature is larger than the room kept for it");
    }
    bytes.replace(contents + 1, 2 * signature.size(), hexadecimal(signature));
    return bytes;
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
    const std::string certificateName = database.signerName(request.nickname);
    const std::string holder = holderOf(database, request.nickname);
    const std::string shown = shownSigner(request, holder);
    database.logIn(request.password);

    const PdfFile file(pdf.toStdString());
    const QDateTime time = QDateTime::currentDateTime();
    std::string prepared;
    try {
        prepared = withSignatureField(file, request, holder, shown, time);
    } catch (const std::logic_error&) {
        // A number that does not parse or a position out of the file.
        throw std::runtime_error("Cannot read the PDF to sign");
    }
    return QByteArray::fromStdString(
        signedOver(prepared, file.bytes().size(), certificateName, request.timeStampUrl));
}

std::string defaultNssDir() {
    return QFile::encodeName(QDir::homePath() + QStringLiteral("/.pki/nssdb")).toStdString();
}

}  // namespace kadenza
