#include "report/PdfMetadata.h"

#include "report/PdfFile.h"
#include "report/PdfUpdate.h"

namespace kadenza {

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString alternative(const char* element, const QString& text) {
    return QStringLiteral(
               "<dc:%1><rdf:Alt><rdf:li xml:lang=\"x-default\">%2</rdf:li></rdf:Alt>"
               "</dc:%1>")
        .arg(QLatin1String(element), escaped(text));
}

std::string entry(const char* key, const QString& value) {
    return value.isEmpty() ? std::string()
                           : std::string(key) + " " + pdfString(value.toStdString()) + "\n";
}

}  // namespace

QByteArray pdfaXmp(const DocumentMetadata& metadata, const QDateTime& made) {
    const QString time = made.toUTC().toString(Qt::ISODate);
    const QString packet =
        QStringLiteral(
            "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
            "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
            "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
            "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
            "%1<dc:creator><rdf:Seq><rdf:li>%2</rdf:li></rdf:Seq></dc:creator>%3"
            "</rdf:Description>\n"
            "<rdf:Description rdf:about=\"\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" "
            "xmp:CreatorTool=\"%4\" xmp:CreateDate=\"%5\" xmp:ModifyDate=\"%5\"/>\n"
            "<rdf:Description rdf:about=\"\" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" "
            "pdf:Producer=\"Qt %6\"/>\n"
            "<rdf:Description rdf:about=\"\" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" "
            "pdfaid:part=\"1\" pdfaid:conformance=\"B\"/>\n"
            "</rdf:RDF>\n"
            "</x:xmpmeta>\n"
            "<?xpacket end='w'?>")
            .arg(alternative("title", metadata.title), escaped(metadata.author),
                 alternative("description", metadata.subject), escaped(metadata.creator), time,
                 QLatin1String(qVersion()));
    return packet.toUtf8();
}

QByteArray withAuthorAndSubject(const QByteArray& pdf, const DocumentMetadata& metadata) {
    const std::string additions =
        entry("/Author", metadata.author) + entry("/Subject", metadata.subject);
    if (additions.empty()) {
        return pdf;
    }
    const PdfFile file(pdf.toStdString());
    const int number = referenceOf(file.trailer(), "/Info");
    std::string information = file.object(number);
    information.insert(information.rfind(">>"), additions);
    PdfUpdate update(file);
    update.set(number, information);
    return QByteArray::fromStdString(update.written());
}

}  // namespace kadenza
