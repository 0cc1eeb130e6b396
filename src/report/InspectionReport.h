#pragma once

#include <QByteArray>
#include <QRectF>
#include <string>
#include <vector>

#include "inspection/ReportCompleteness.h"

namespace kadenza {

class DetailsDocument;
class InstrumentData;

// The report of a revision, and what a signature and the user need to know of it.
struct RevisionReport {
    QByteArray pdf;
    // Where the inspector signs: the page, from 0, and the area in PDF points from the page's
    // top left corner.
    int signaturePage = -1;
    QRectF signatureArea;
    // What the report lacks to be more than a draft (missingReportItems); empty when whole.
    std::vector<MissingItem> missing;
};

RevisionReport revisionReport(const InstrumentData& data, const DetailsDocument& details);

// The inspection report of a container as an A4 PDF in the current language: on the first
// page who inspected what, when, with which instrument and by which standards, the overall
// verdict and a line for every bank; then every bank with its details and its measured values,
// limits and verdicts; the sources of the limits and the line the inspector signs. The text
// stays text and the fonts are embedded. Qt lays it out: a QGuiApplication must exist (the
// offscreen platform will do).
QByteArray inspectionReportPdf(const InstrumentData& data, const DetailsDocument& details);

// Writes the report to the path as every output of the program is written (a link followed,
// a file replaced only once written whole); false when it cannot be created or written.
bool writeInspectionReport(const std::string& path, const InstrumentData& data,
                           const DetailsDocument& details);

}  // namespace kadenza
