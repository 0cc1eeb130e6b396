#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace kadenza {

// What the report's metadata tell a viewer and an archive.
struct DocumentMetadata {
    QString title;
    QString author;
    QString subject;
    QString creator;
};

// The XMP packet of a PDF/A-1b document: its title, author, subject, the program that made it,
// the time it was made (as the writer stamps the document) and the PDF/A part and conformance.
// Qt's writer writes the same title, program and time into the document's information, which
// PDF/A requires to agree with the packet.
QByteArray pdfaXmp(const DocumentMetadata& metadata, const QDateTime& made);

// The PDF Qt wrote with the author and the subject added to its document information, as the
// packet holds them, in an update appended to it: Qt's writer sets only the title and the
// program there.
QByteArray withAuthorAndSubject(const QByteArray& pdf, const DocumentMetadata& metadata);

}  // namespace kadenza
